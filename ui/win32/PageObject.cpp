#include "ui/win32/PageObject.h"

#include "ui/win32/AccessibleServer.h"
#include "win32/SystemFunctions.h"

#include <algorithm>
#include <new>
#include <utility>

namespace setup {
namespace {

// Defined here: no import library is linked for them.
constexpr GUID UnknownId{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID DispatchId{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID EnumVariantId{0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID AccessibleIdValue{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0, 0xAA, 0, 0x38, 0x9B, 0x71}};

TAccessFunctions Functions;

// ANSI text as drawn into the reader's Unicode, or S_FALSE with none for no text; a question
// that failed answers its status.
HRESULT ReaderText(HRESULT status, const std::string& text, BSTR* out) {
    *out = nullptr;
    if (FAILED(status))
        return status;
    if (text.empty())
        return S_FALSE;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    *out = Functions.SysAllocStringLen(nullptr, UINT(length));
    if (!*out)
        return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), *out, length);
    return S_OK;
}

void SetId(VARIANT* v, long id) {
    v->vt = VT_I4;
    v->lVal = id;
}

// The system's object of a window (OBJID_WINDOW), or null.
IDispatch* WindowObject(HWND window) {
    void* object = nullptr;
    if (FAILED(Functions.CreateStdAccessibleObject(window, OBJID_WINDOW, DispatchId, &object)))
        return nullptr;
    return static_cast<IDispatch*>(object);
}

long IdOf(const VARIANT& v) {
    return v.vt == VT_I4 ? v.lVal : -1;
}

// The object of one window: the page, or a child window that a text before it names (that one
// hands everything but its name to the system's own object, System). Holds its server weakly:
// cut off, it answers CO_E_OBJNOTCONNECTED.
// The page's object also lists its children, in reading order with their fixed ids: without
// that, readers take the ids to be 1 to the number of children.
class TPageAccessible final : public IAccessible, public IEnumVARIANT {
public:
    TPageAccessible(TAccessibleServer& server, HWND window, TComPtr<IAccessible>&& system)
        : Server(&server), Handle(window), System(std::move(system)) {}

    void Cut() {
        Server = nullptr;
        System.Reset();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        *out = IsEqualGUID(id, UnknownId) || IsEqualGUID(id, DispatchId) ||
                       IsEqualGUID(id, AccessibleIdValue)
                   ? static_cast<IAccessible*>(this)
                   : nullptr;
        if (IsEqualGUID(id, EnumVariantId) && !System)
            *out = static_cast<IEnumVARIANT*>(this);
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --References;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: readers use the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accParent(parent);
        *parent = WindowObject(Handle);
        return *parent ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = 0;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accChildCount(count);
        const auto children = Server->Children();
        *count = children->Count;
        return ComStatus(children.Status());
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        *object = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accChild(child, object);
        const long id = IdOf(child);
        if (HWND window = Server->ChildWindow(id)) {
            *object = WindowObject(window);
            return *object ? S_OK : E_FAIL;
        }
        // A windowless child is a simple element of this object.
        const HRESULT status = ComStatus(Server->Describe(id).Status());
        return status == S_OK ? S_FALSE : status;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        const long id = IdOf(child);
        if (id == CHILDID_SELF) {
            const auto text = Server->NameOf(Handle);
            return ReaderText(ComStatus(text.Status()), *text, name);
        }
        if (System)
            return System->get_accName(child, name);
        const auto description = Server->Describe(id);
        return ReaderText(ComStatus(description.Status()), description->Name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        *value = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accValue(child, value);
        if (IdOf(child) == CHILDID_SELF)
            return S_FALSE;
        const auto description = Server->Describe(IdOf(child));
        return ReaderText(ComStatus(description.Status()), description->Value, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        *text = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accDescription(child, text) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        role->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accRole(child, role);
        const long id = IdOf(child);
        if (id == CHILDID_SELF) {
            const bool dialog = GetWindowLongA(Handle, GWL_STYLE) & WS_CAPTION;
            SetId(role, dialog ? ROLE_SYSTEM_DIALOG : ROLE_SYSTEM_CLIENT);
            return S_OK;
        }
        const auto description = Server->Describe(id);
        if (!description)
            return ComStatus(description.Status());
        static constexpr long Roles[] = {ROLE_SYSTEM_CLIENT, ROLE_SYSTEM_STATICTEXT,
                                         ROLE_SYSTEM_GROUPING, ROLE_SYSTEM_PROGRESSBAR};
        SetId(role, Roles[int(description->Role)]);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        state->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accState(child, state);
        const long id = IdOf(child);
        if (id == CHILDID_SELF) {
            SetId(state, IsWindowVisible(Handle) ? 0 : STATE_SYSTEM_INVISIBLE);
            return S_OK;
        }
        const auto description = Server->Describe(id);
        if (!description)
            return ComStatus(description.Status());
        SetId(state, (description->Invisible ? STATE_SYSTEM_INVISIBLE : 0) |
                         (description->ReadOnly ? STATE_SYSTEM_READONLY : 0));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        *help = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accHelp(child, help) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        *file = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accHelpTopic(file, child, topic) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        *keys = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accKeyboardShortcut(child, keys) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->get_accFocus(focus);
        HWND focused = GetFocus();
        if (focused == Handle) {
            SetId(focus, CHILDID_SELF);
        } else if (focused && IsChild(Handle, focused)) {
            focus->pdispVal = WindowObject(focused);
            focus->vt = focus->pdispVal ? VT_DISPATCH : VT_EMPTY;
        }
        return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accSelection(selection) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        *action = nullptr;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->get_accDefaultAction(child, action) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        *left = *top = *width = *height = 0;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->accLocation(left, top, width, height, child);
        TRect r;
        if (IdOf(child) == CHILDID_SELF) {
            r = TAccessibleServer::ScreenRect(Handle);
        } else {
            const auto description = Server->Describe(IdOf(child));
            if (!description)
                return ComStatus(description.Status());
            r = description->Bounds;
        }
        *left = r.Left;
        *top = r.Top;
        *width = r.Width();
        *height = r.Height();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        end->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->accNavigate(direction, start, end) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        hit->vt = VT_EMPTY;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        if (System)
            return System->accHitTest(x, y, hit);
        const auto hitTest = Server->HitTest({x, y});
        if (!hitTest)
            return ComStatus(hitTest.Status());
        const long id = *hitTest;
        if (HWND window = Server->ChildWindow(id)) {
            hit->pdispVal = WindowObject(window);
            hit->vt = hit->pdispVal ? VT_DISPATCH : VT_EMPTY;
        } else if (id >= 0) {
            SetId(hit, id);
        }
        return hit->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
        return Server ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        return System ? System->put_accValue(child, value) : E_NOTIMPL;
    }

    // IEnumVARIANT
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* children, ULONG* fetched) override {
        if (fetched)
            *fetched = 0;
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        const auto list = Server->Children();
        if (!list)
            return ComStatus(list.Status());
        ULONG count = 0;
        for (; count < wanted && Position < list->Count; ++count, ++Position) {
            const long id = list->Ids[Position];
            VARIANT* child = children + count;
            SetId(child, id);
            if (HWND window = Server->ChildWindow(id)) {
                child->pdispVal = WindowObject(window);
                child->vt = child->pdispVal ? VT_DISPATCH : VT_EMPTY;
            }
        }
        if (fetched)
            *fetched = count;
        return count == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        if (!Server)
            return CO_E_OBJNOTCONNECTED;
        const auto list = Server->Children();
        if (!list)
            return ComStatus(list.Status());
        // Counted in what is left, which the page may have shortened since: never past the end.
        const int end = list->Count;
        const ULONG left = ULONG(end - std::min(Position, end));
        Position = count <= left ? end - int(left - count) : end;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        Position = 0;
        return Server ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        *copy = nullptr;
        return Server ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }

private:
    ~TPageAccessible() = default;

    TAccessibleServer* Server;
    HWND Handle;
    TComPtr<IAccessible> System;
    ULONG References = 1;
    int Position = 0; // of the children listing, 0 to its count
};

} // namespace

const GUID AccessibleId = AccessibleIdValue;

const TAccessFunctions* AccessFunctions() {
    if (!Functions.Tried) {
        Functions.Tried = true;
        TAccessFunctions& f = Functions;
        const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        f.LresultFromObject =
            ModuleFunction<decltype(f.LresultFromObject)>(oleacc, "LresultFromObject");
        f.CreateStdAccessibleObject = ModuleFunction<decltype(f.CreateStdAccessibleObject)>(
            oleacc, "CreateStdAccessibleObject");
        f.SysAllocStringLen = ModuleFunction<decltype(f.SysAllocStringLen)>(
            LoadSystemLibrary("oleaut32.dll"), "SysAllocStringLen");
        f.MapWindowPoints =
            LoadedFunction<decltype(f.MapWindowPoints)>("user32.dll", "MapWindowPoints");
    }
    const TAccessFunctions& f = Functions;
    return f.LresultFromObject && f.CreateStdAccessibleObject && f.SysAllocStringLen &&
                   f.MapWindowPoints
               ? &f
               : nullptr;
}

TComPtr<IAccessible> MakePageObject(TAccessibleServer& server, HWND window,
                                    TComPtr<IAccessible>&& system) {
    // No exception may leave this file's frames.
    return TComPtr<IAccessible>(new (std::nothrow)
                                    TPageAccessible(server, window, std::move(system)));
}

void CutPageObject(IAccessible* object) {
    static_cast<TPageAccessible*>(object)->Cut();
}

} // namespace setup
