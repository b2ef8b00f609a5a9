// The unwinder the C++ runtime throws through: it finds each frame's unwind entry in the
// image's one table, reads the frame's rules, asks the frame's personality whether it catches
// (first pass) or has cleanups (second pass), and resumes at the landing pad. libgcc's own
// brings the general machinery (sorted lookup over many tables, expression evaluation,
// forced unwinding, back traces), some 20 KB; the compiler's tables here use only the rules
// read below, and a frame with any other (the entry points' realigned stacks) ends the walk
// as the stack's end would.
#include <unwind.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The registers by their numbers in the tables on this target.
enum TRegister { Eax, Ecx, Edx, Ebx, Esp, Ebp, Esi, Edi, Eip, RegisterCount };

// How a stored address is written: its low nibble the format, 0x10 "relative to itself",
// 0x80 "the address of the address".
constexpr uint8_t FormatBits = 0x0F;
constexpr uint8_t RelativeToItself = 0x10;
constexpr uint8_t Indirect = 0x80;
constexpr uint8_t Omitted = 0xFF;

uint32_t Word(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t Unsigned(const uint8_t*& at) { // LEB128
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = *at++;
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

int32_t Signed(const uint8_t*& at) {
    uint32_t value = 0;
    int shift = 0;
    uint8_t byte;
    do {
        byte = *at++;
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    if (shift < 32 && (byte & 0x40))
        value |= ~0u << shift;
    return static_cast<int32_t>(value);
}

// Reads a stored address and moves past it; false for a form the compiler does not write here
// (only four-byte values, absolute or relative to themselves, maybe indirect).
bool Address(const uint8_t*& at, uint8_t encoding, uintptr_t& value) {
    const uint8_t format = encoding & FormatBits;
    const uint8_t relativeTo = encoding & 0x70;
    if ((format != 0x00 && format != 0x03 && format != 0x0B) ||
        (relativeTo && relativeTo != RelativeToItself))
        return false;
    // Zero stays zero, whatever it is relative to: an entry with no handler table says so.
    value = Word(at);
    if (value && relativeTo)
        value += reinterpret_cast<uintptr_t>(at);
    at += 4;
    if ((encoding & Indirect) && value)
        value = Word(reinterpret_cast<const uint8_t*>(value));
    return true;
}

const uint8_t* table = nullptr;

} // namespace

extern "C" {

// One frame as the personality asks about it: the registers as they are in the frame just
// after its call returned, and what its entry says. unwind.h leaves it to the unwinder.
struct _Unwind_Context {
    uintptr_t Registers[RegisterCount];
    uintptr_t Cfa; // the frame's caller's stack pointer before the call into it
    uintptr_t Function;
    uintptr_t Lsda;
    _Unwind_Personality_Fn Personality;
    bool Saved[RegisterCount]; // whether the frame stored the register at Cfa + Offset
    int32_t Offset[RegisterCount];
};

// Sets every register from registers and goes on at its eip (asm below).
[[noreturn]] void SetupInstallRegisters(const uintptr_t* registers);

} // extern "C"

namespace {

// A frame's rules at one point of its function.
struct TRules {
    int CfaRegister;
    int32_t CfaOffset;
    bool Saved[RegisterCount];
    int32_t Offset[RegisterCount];
};

// What the common part of a group of entries says.
struct TCommon {
    int32_t CodeAlignment = 0;
    int32_t DataAlignment = 0;
    uint8_t AddressEncoding = 0;
    uint8_t LsdaEncoding = Omitted;
    bool Augmented = false;
    uintptr_t Personality = 0;
    const uint8_t* Instructions = nullptr;
    const uint8_t* End = nullptr;
};

bool ReadCommon(const uint8_t* common, TCommon& out) {
    out = TCommon{};
    const uint8_t* at = common + 8;
    const uint8_t version = *at++;
    const char* augmentation = reinterpret_cast<const char*>(at);
    at += std::strlen(augmentation) + 1;
    out.CodeAlignment = static_cast<int32_t>(Unsigned(at));
    out.DataAlignment = Signed(at);
    if (version == 1)
        ++at;
    else
        Unsigned(at);
    out.End = common + 4 + Word(common);
    out.Augmented = augmentation[0] == 'z';
    if (out.Augmented) {
        const uint32_t length = Unsigned(at);
        const uint8_t* data = at;
        for (const char* letter = augmentation + 1; *letter; ++letter) {
            if (*letter == 'R')
                out.AddressEncoding = *data++;
            else if (*letter == 'L')
                out.LsdaEncoding = *data++;
            else if (*letter == 'P') {
                const uint8_t encoding = *data++;
                if (!Address(data, encoding, out.Personality))
                    return false;
            } else if (*letter != 'S')
                return false;
        }
        at += length;
    } else if (augmentation[0]) {
        return false;
    }
    out.Instructions = at;
    return true;
}

// The entry whose function holds pc, or nullptr.
const uint8_t* FindEntry(uintptr_t pc, TCommon& common) {
    const uint8_t* lastCommon = nullptr;
    bool readable = false;
    for (const uint8_t* entry = table; entry && Word(entry) != 0; entry += 4 + Word(entry)) {
        const uint32_t commonOffset = Word(entry + 4);
        if (commonOffset == 0)
            continue; // a common part, read when an entry names it
        if (entry + 4 - commonOffset != lastCommon) {
            lastCommon = entry + 4 - commonOffset;
            readable = ReadCommon(lastCommon, common);
        }
        const uint8_t* at = entry + 8;
        uintptr_t start = 0;
        uintptr_t length = 0;
        if (readable && Address(at, common.AddressEncoding, start) &&
            Address(at, common.AddressEncoding & FormatBits, length) && pc - start < length)
            return entry;
    }
    return nullptr;
}

// The rule instructions read here, by their names in the DWARF standard. The first three keep
// their operand in the low six bits.
enum TRuleInstruction : uint8_t {
    DW_CFA_advance_loc = 0x40,
    DW_CFA_offset = 0x80,
    DW_CFA_restore = 0xC0,
    DW_CFA_nop = 0x00,
    DW_CFA_advance_loc1 = 0x02,
    DW_CFA_advance_loc2 = 0x03,
    DW_CFA_advance_loc4 = 0x04,
    DW_CFA_offset_extended = 0x05,
    DW_CFA_restore_extended = 0x06,
    DW_CFA_undefined = 0x07,
    DW_CFA_same_value = 0x08,
    DW_CFA_remember_state = 0x0A,
    DW_CFA_restore_state = 0x0B,
    DW_CFA_def_cfa = 0x0C,
    DW_CFA_def_cfa_register = 0x0D,
    DW_CFA_def_cfa_offset = 0x0E,
    DW_CFA_offset_extended_sf = 0x11,
    DW_CFA_def_cfa_sf = 0x12,
    DW_CFA_def_cfa_offset_sf = 0x13,
    DW_CFA_GNU_args_size = 0x2E,
};
constexpr uint8_t OperandBits = 0x3F;
constexpr int RememberedDepth = 4; // tools/unwind_table.py holds every entry to it

// Runs a frame's rule program up to (not past) the point pc.
bool RunRules(const uint8_t* at, const uint8_t* end, const TCommon& common, uintptr_t location,
              uintptr_t pc, const TRules& initial, TRules& rules) {
    TRules remembered[RememberedDepth];
    int depth = 0;
    while (at < end && location < pc) {
        const uint8_t op = *at++;
        const uint8_t operand = op & OperandBits;
        uint32_t reg = operand;
        switch (op & ~OperandBits) {
        case DW_CFA_advance_loc:
            location += operand * common.CodeAlignment;
            continue;
        case DW_CFA_offset:
            if (reg >= RegisterCount)
                return false;
            rules.Saved[reg] = true;
            rules.Offset[reg] = static_cast<int32_t>(Unsigned(at)) * common.DataAlignment;
            continue;
        case DW_CFA_restore:
            if (reg >= RegisterCount)
                return false;
            rules.Saved[reg] = initial.Saved[reg];
            rules.Offset[reg] = initial.Offset[reg];
            continue;
        }
        switch (op) {
        case DW_CFA_nop:
            break;
        case DW_CFA_advance_loc1:
            location += *at++ * common.CodeAlignment;
            break;
        case DW_CFA_advance_loc2: {
            uint16_t delta;
            std::memcpy(&delta, at, 2);
            at += 2;
            location += delta * common.CodeAlignment;
            break;
        }
        case DW_CFA_advance_loc4:
            location += Word(at) * common.CodeAlignment;
            at += 4;
            break;
        case DW_CFA_offset_extended:
        case DW_CFA_offset_extended_sf: {
            reg = Unsigned(at);
            const int32_t factor =
                op == DW_CFA_offset_extended ? static_cast<int32_t>(Unsigned(at)) : Signed(at);
            if (reg >= RegisterCount)
                return false;
            rules.Saved[reg] = true;
            rules.Offset[reg] = factor * common.DataAlignment;
            break;
        }
        case DW_CFA_restore_extended:
        case DW_CFA_undefined:
        case DW_CFA_same_value:
            reg = Unsigned(at);
            if (reg >= RegisterCount)
                return false;
            rules.Saved[reg] = op == DW_CFA_restore_extended && initial.Saved[reg];
            rules.Offset[reg] = initial.Offset[reg];
            break;
        case DW_CFA_remember_state:
            if (depth == RememberedDepth)
                return false;
            remembered[depth++] = rules;
            break;
        case DW_CFA_restore_state:
            if (depth == 0)
                return false;
            rules = remembered[--depth];
            break;
        case DW_CFA_def_cfa:
            rules.CfaRegister = static_cast<int>(Unsigned(at));
            rules.CfaOffset = static_cast<int32_t>(Unsigned(at));
            break;
        case DW_CFA_def_cfa_sf:
            rules.CfaRegister = static_cast<int>(Unsigned(at));
            rules.CfaOffset = Signed(at) * common.DataAlignment;
            break;
        case DW_CFA_def_cfa_register:
            rules.CfaRegister = static_cast<int>(Unsigned(at));
            break;
        case DW_CFA_def_cfa_offset:
            rules.CfaOffset = static_cast<int32_t>(Unsigned(at));
            break;
        case DW_CFA_def_cfa_offset_sf:
            rules.CfaOffset = Signed(at) * common.DataAlignment;
            break;
        case DW_CFA_GNU_args_size: // the calls here leave no pushed arguments at a landing pad
            Unsigned(at);
            break;
        default: // expressions, registers kept in registers, explicit locations
            return false;
        }
    }
    return static_cast<unsigned>(rules.CfaRegister) < RegisterCount;
}

// Fills in what the frame's entry says about the frame whose registers context holds; false
// when no entry holds it or its rules are beyond this unwinder.
bool Describe(_Unwind_Context& context) {
    const uintptr_t pc = context.Registers[Eip];
    TCommon common;
    const uint8_t* entry = FindEntry(pc - 1, common);
    if (!entry)
        return false;
    const uint8_t* at = entry + 8;
    uintptr_t start = 0;
    uintptr_t length = 0;
    Address(at, common.AddressEncoding, start);
    Address(at, common.AddressEncoding & FormatBits, length);
    context.Lsda = 0;
    if (common.Augmented) {
        const uint32_t size = Unsigned(at);
        const uint8_t* data = at;
        if (common.LsdaEncoding != Omitted && !Address(data, common.LsdaEncoding, context.Lsda))
            return false;
        at += size;
    }
    TRules initial{};
    if (!RunRules(common.Instructions, common.End, common, 0, ~uintptr_t(0), initial, initial))
        return false;
    TRules rules = initial;
    if (!RunRules(at, entry + 4 + Word(entry), common, start, pc, initial, rules) ||
        !rules.Saved[Eip])
        return false;
    context.Cfa = context.Registers[rules.CfaRegister] + rules.CfaOffset;
    context.Function = start;
    context.Personality = reinterpret_cast<_Unwind_Personality_Fn>(common.Personality);
    std::memcpy(context.Saved, rules.Saved, sizeof context.Saved);
    std::memcpy(context.Offset, rules.Offset, sizeof context.Offset);
    return true;
}

// Moves context to the frame's caller.
void StepOut(_Unwind_Context& context) {
    for (int reg = 0; reg < RegisterCount; ++reg)
        if (context.Saved[reg])
            context.Registers[reg] =
                Word(reinterpret_cast<const uint8_t*>(context.Cfa + context.Offset[reg]));
    context.Registers[Esp] = context.Cfa;
}

// The frame whose registers the asm entries below captured into start.
_Unwind_Context ContextAt(const uintptr_t* start) {
    _Unwind_Context context{};
    std::memcpy(context.Registers, start, sizeof context.Registers);
    return context;
}

// The second pass from the frame in start: each frame's cleanups, then the handler's frame.
_Unwind_Reason_Code CleanUp(const uintptr_t* start, _Unwind_Exception* exception) {
    _Unwind_Context context = ContextAt(start);
    for (;;) {
        if (!Describe(context))
            return _URC_FATAL_PHASE2_ERROR;
        const bool handler = context.Cfa == exception->private_2;
        if (context.Personality) {
            const _Unwind_Reason_Code reason =
                context.Personality(1, _UA_CLEANUP_PHASE | (handler ? _UA_HANDLER_FRAME : 0),
                                    exception->exception_class, exception, &context);
            if (reason == _URC_INSTALL_CONTEXT)
                SetupInstallRegisters(context.Registers);
            if (reason != _URC_CONTINUE_UNWIND)
                return _URC_FATAL_PHASE2_ERROR;
        }
        if (handler)
            return _URC_FATAL_PHASE2_ERROR;
        StepOut(context);
    }
}

} // namespace

extern "C" {

// The two passes from the thrower's frame (registers as asm below captured them).
_Unwind_Reason_Code SetupRaise(const uintptr_t* start, _Unwind_Exception* exception) {
    _Unwind_Context context = ContextAt(start);
    for (;;) {
        if (!Describe(context))
            return _URC_END_OF_STACK;
        if (context.Personality) {
            const _Unwind_Reason_Code reason = context.Personality(
                1, _UA_SEARCH_PHASE, exception->exception_class, exception, &context);
            if (reason == _URC_HANDLER_FOUND)
                break;
            if (reason != _URC_CONTINUE_UNWIND)
                return _URC_FATAL_PHASE1_ERROR;
        }
        StepOut(context);
    }
    exception->private_1 = 0;
    exception->private_2 = context.Cfa;
    return CleanUp(start, exception);
}

// A landing pad's cleanup is done: on with the second pass from its frame.
void SetupResume(const uintptr_t* start, _Unwind_Exception* exception) {
    CleanUp(start, exception);
    std::abort();
}

// crtbegin.o's registration of the image's table; the object it passes for libgcc's list
// goes unused.
void __register_frame_info(const void* begin, void*) {
    table = static_cast<const uint8_t*>(begin);
}

void* __deregister_frame_info(const void* begin) {
    if (begin == table)
        table = nullptr;
    return nullptr;
}

// What the personality asks of a frame and sets in it.
_Unwind_Ptr _Unwind_GetIPInfo(_Unwind_Context* context, int* beforeInstruction) {
    *beforeInstruction = 0;
    return context->Registers[Eip];
}

void _Unwind_SetIP(_Unwind_Context* context, _Unwind_Ptr value) {
    context->Registers[Eip] = value;
}

void _Unwind_SetGR(_Unwind_Context* context, int reg, _Unwind_Word value) {
    if (reg >= 0 && reg < RegisterCount)
        context->Registers[reg] = value;
}

void* _Unwind_GetLanguageSpecificData(_Unwind_Context* context) {
    return reinterpret_cast<void*>(context->Lsda);
}

_Unwind_Ptr _Unwind_GetRegionStart(_Unwind_Context* context) {
    return context->Function;
}

// Bases of addresses stored relative to the code or data: the compiler stores none so here.
_Unwind_Ptr _Unwind_GetTextRelBase(_Unwind_Context*) {
    return 0;
}

_Unwind_Ptr _Unwind_GetDataRelBase(_Unwind_Context*) {
    return 0;
}

void _Unwind_DeleteException(_Unwind_Exception* exception) {
    if (exception->exception_cleanup)
        exception->exception_cleanup(_URC_FOREIGN_EXCEPTION_CAUGHT, exception);
}

} // extern "C"

// The entries the runtime calls take the caller's registers as the call left them: each
// pushes eip (its return address), edi, esi, ebp, the caller's esp, ebx, edx, ecx and eax,
// in reverse order of their numbers, and passes them with the exception to the C++ above.
// A rethrow starts a search like a first throw (no unwinding is ever forced here).
asm(R"(
    .text
    .globl __Unwind_RaiseException
    .globl __Unwind_Resume_or_Rethrow
    .globl __Unwind_Resume
    .globl _SetupInstallRegisters
__Unwind_Resume_or_Rethrow:
__Unwind_RaiseException:
    movl $_SetupRaise, %eax
    jmp 1f
__Unwind_Resume:
    movl $_SetupResume, %eax
1:  pushl (%esp)
    pushl %edi
    pushl %esi
    pushl %ebp
    leal 20(%esp), %ecx
    pushl %ecx
    pushl %ebx
    pushl %edx
    pushl %ecx
    pushl %eax
    movl %esp, %ecx
    pushl 40(%esp)
    pushl %ecx
    call *%eax
    addl $44, %esp
    ret

_SetupInstallRegisters:
    movl 4(%esp), %ecx
    movl 12(%ecx), %ebx
    movl 20(%ecx), %ebp
    movl 24(%ecx), %esi
    movl 28(%ecx), %edi
    movl 0(%ecx), %eax
    movl 8(%ecx), %edx
    movl 16(%ecx), %esp
    pushl 32(%ecx)
    ret
)");
