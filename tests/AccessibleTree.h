// A page read as a screen reader reads it, through oleacc: one line per child in the order the
// page gives them. Windowless children read as `text "..."`, `group "..."`, `progress "42%"`;
// child windows as their class and text, with the name their own object gives when they have no
// text of their own (`Edit named "Path:"`).
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace setup {

inline std::string Narrow(BSTR text) {
    std::string narrow;
    if (text) {
        const int length = SysStringLen(text);
        narrow.resize(
            size_t(WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), int(narrow.size()), nullptr,
                            nullptr);
        SysFreeString(text);
    }
    return narrow;
}

inline VARIANT ChildId(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

inline std::string NameOf(IAccessible* object, long id) {
    BSTR name = nullptr;
    object->get_accName(ChildId(id), &name);
    return Narrow(name);
}

inline long RoleOf(IAccessible* object, long id) {
    VARIANT role;
    VariantInit(&role);
    object->get_accRole(ChildId(id), &role);
    return role.vt == VT_I4 ? role.lVal : -1;
}

// The window behind a child given as an object, or null.
inline HWND WindowOf(const VARIANT& child) {
    HWND window = nullptr;
    if (child.vt == VT_DISPATCH && child.pdispVal) {
        IAccessible* object = nullptr;
        if (SUCCEEDED(child.pdispVal->QueryInterface(IID_IAccessible,
                                                     reinterpret_cast<void**>(&object)))) {
            WindowFromAccessibleObject(object, &window);
            object->Release();
        }
    }
    return window;
}

// The page's children as AccessibleChildren gives them; the caller clears each.
inline std::vector<VARIANT> ChildrenOf(IAccessible* page) {
    long count = 0;
    page->get_accChildCount(&count);
    std::vector<VARIANT> children(size_t(count > 0 ? count : 0));
    long obtained = 0;
    if (count > 0)
        AccessibleChildren(page, 0, count, children.data(), &obtained);
    children.resize(size_t(obtained));
    return children;
}

inline std::string ReadChild(IAccessible* page, const VARIANT& child) {
    if (child.vt == VT_I4) {
        const long role = RoleOf(page, child.lVal);
        const char* kind = role == ROLE_SYSTEM_STATICTEXT    ? "text "
                           : role == ROLE_SYSTEM_GROUPING    ? "group "
                           : role == ROLE_SYSTEM_PROGRESSBAR ? "progress "
                                                             : "other ";
        if (role == ROLE_SYSTEM_PROGRESSBAR) {
            BSTR value = nullptr;
            page->get_accValue(child, &value);
            return kind + ("\"" + Narrow(value) + "\"");
        }
        return kind + ("\"" + NameOf(page, child.lVal) + "\"");
    }
    HWND window = WindowOf(child);
    if (!window)
        return "nothing";
    char className[32] = {};
    char text[MAX_PATH] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpiA(className, "Button") == 0)
        return std::string(className) + " \"" + text + "\"";
    std::string line = className;
    {
        IAccessible* own = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                 reinterpret_cast<void**>(&own)))) {
            line += " named \"" + NameOf(own, CHILDID_SELF) + "\"";
            own->Release();
        }
    }
    return line;
}

inline std::vector<std::string> ReadTree(IAccessible* page) {
    std::vector<std::string> lines;
    for (VARIANT& child : ChildrenOf(page)) {
        lines.push_back(ReadChild(page, child));
        VariantClear(&child);
    }
    return lines;
}

// The page's own object, or null.
inline IAccessible* PageObject(HWND page) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(page, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

} // namespace setup
