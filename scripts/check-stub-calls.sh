#!/bin/sh
# check-stub-calls.sh <image> <map>: the entry stub needs nothing of the packed code. Every call
# and jump in the code of the image's start section (.start; its code ends where its constants
# begin, which the linker map shows) stays inside that code, goes through the import address
# table, or is the one jump into the runtime (WinMainCRTStartup) after the unpacking. A call
# through a register counts as an import's only when, on every way there, the register was last
# loaded from the import address table; anything the check cannot follow is named as a fault.
set -eu
image=$1
map=$2
name=$(basename "$image")
number='function number(text,    value, i) {
    value = 0
    text = tolower(text)
    sub(/^0x/, "", text)
    for (i = 1; i <= length(text); ++i)
        value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return value
}'

# The start section's code, from its start to its first constants, and the runtime's entry.
bounds=$(awk "$number"'
    /^\.start[ \t]/ { start = number($2); end = start + number($3); next }
    start && /^ \.start\$r/ && number($2) < end { end = number($2) }
    $2 == "WinMainCRTStartup" && $1 ~ /^0x/ { entry = $1 }
    END { if (start && entry) printf "0x%x 0x%x %s\n", start, end, entry }' "$map")
[ -n "$bounds" ] || { echo "$name: no section .start or no WinMainCRTStartup in $map"; exit 1; }
set -- $bounds
headers=$(i686-w64-mingw32-objdump -p "$image")
base=$(printf '%s\n' "$headers" | awk '$1 == "ImageBase" { print "0x" $2 }')
iat=$(printf '%s\n' "$headers" | awk '/Import Address Table Directory/ { print "0x" $3, "0x" $4 }')
[ -n "$iat" ] || { echo "$name: no import address table"; exit 1; }

i686-w64-mingw32-objdump -d --no-show-raw-insn --start-address="$1" --stop-address="$2" \
    "$image" | awk -F'\t' -v name="$name" -v start="$1" -v end="$2" -v entry="$3" \
    -v base="$base" -v iat="$iat" "$number"'
    function imported(text) {
        return text ~ /^0x[0-9a-f]+$/ && number(text) >= iatStart && number(text) < iatEnd
    }
    function full(register) {
        sub(/^%/, "", register)
        if (register ~ /^[abcd][lhx]$/)
            return "e" substr(register, 1, 1) "x"
        if (register ~ /^(si|di|bp|sp)$/)
            return "e" register
        return register
    }
    function fault(what) {
        printf "%s: the start code at 0x%s %s\n", name, address, what
        bad = 1
    }
    # The registers known to hold the address of an import: names, each followed by a space.
    function common(a, b,    result, count, names, i) {
        result = ""
        count = split(a, names, " ")
        for (i = 1; i <= count; ++i)
            if (index(" " b, " " names[i] " "))
                result = result names[i] " "
        return result
    }
    function forget(register) {
        known = " " known
        sub(" " register " ", " ", known)
        sub(/^ /, "", known)
    }
    BEGIN {
        split(iat, table, " ")
        iatStart = number(base) + number(table[1])
        iatEnd = iatStart + number(table[2])
    }
    NF >= 2 && $1 ~ /^ *[0-9a-f]+:$/ {
        address = $1
        gsub(/[ :]/, "", address)
        here = number(address)
        instruction = $2
        sub(/ *<.*>$/, "", instruction)
        mnemonic = instruction
        sub(/ .*/, "", mnemonic)
        operands = instruction
        sub(/^[^ ]+ */, "", operands)
        ++instructions
        # What is known here: what flows in from the instruction before and from the jumps
        # seen to here; where neither leads (a function start), nothing.
        if (here in ahead)
            known = falls ? common(known, ahead[here]) : ahead[here]
        else if (!falls)
            known = ""
        at[here] = known
        falls = mnemonic !~ /^(jmp|ret|hlt|ud2)/
        if (mnemonic ~ /^(call|jmp|j[a-z]+|loop[a-z]*)$/) {
            if (operands ~ /^0x[0-9a-f]+$/) {
                target = number(operands)
                if (target == number(entry))
                    ++runtime
                else if (target < number(start) || target >= number(end))
                    fault(mnemonic "s " operands ", outside it")
                else if (mnemonic != "call" && target > here) {
                    joined = (target in ahead) ? common(ahead[target], known) : known
                    ahead[target] = joined
                }
                else if (mnemonic != "call" && common(at[target], known) != at[target])
                    fault(mnemonic "s back to " operands " knowing less than there")
            } else if (operands ~ /^\*0x[0-9a-f]+$/ && imported(substr(operands, 2))) {
                ++imports
            } else if (operands ~ /^\*%e[a-z][a-z]$/ && index(" " known, " " substr(operands, 3) " ")) {
                ++imports
            } else {
                fault(mnemonic "s " operands ", a target the check cannot follow")
            }
            if (mnemonic == "call") {
                forget("eax")
                forget("ecx")
                forget("edx")
            }
            next
        }
        if (mnemonic ~ /^(cmp|test|push|nop)/)
            next
        # An instruction that may write registers it does not name leaves nothing known.
        if (mnemonic !~ /^(mov[lwb]?|movz[bw][lw]|movs[bw][lw]|lea[lw]?|add|sub|and|or|xor|shl|shr|sar|inc|dec|neg|not|imul|set[a-z]+|cmov[a-z]+)$/ ||
            (mnemonic == "imul" && operands !~ /,/)) {
            known = ""
            next
        }
        if (operands !~ /%[a-z]+$/)
            next
        source = operands
        sub(/,[^,]*$/, "", source)
        destination = full(substr(operands, match(operands, /%[a-z]+$/)))
        forget(destination)
        if (mnemonic ~ /^movl?$/ && imported(source))
            known = known destination " "
    }
    END {
        if (!instructions || !imports) {
            print name ": no start code or no import call found: the check read nothing"
            bad = 1
        }
        if (runtime != 1) {
            printf "%s: the start code enters the runtime %d times, not once\n", name, runtime
            bad = 1
        }
        exit bad
    }'
