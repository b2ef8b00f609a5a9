#include "ui/win32/AccessibleServer.h"

#include "ui/win32/Form.h"
#include "ui/win32/PageObject.h"
#include "win32/SystemFunctions.h"

#include <algorithm>
#include <utility>

namespace setup {
namespace {

bool Contains(const TRect& r, POINT p) {
    return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

} // namespace

TRect TAccessibleServer::ScreenRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    AccessFunctions()->MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

TAccessDescription TAccessibleServer::Described(long id) const {
    const auto& graphics = Page.GraphicControls();
    if (id < 1 || id > long(graphics.size()))
        return {};
    TAccessDescription description = graphics[size_t(id - 1)]->Describe();
    const TRect r = Page.Scale().ToPixels(description.Bounds);
    const TRect client = ScreenRect(Page.Handle());
    description.Bounds = {r.Left + client.Left, r.Top + client.Top, r.Right + client.Left,
                          r.Bottom + client.Top};
    return description;
}

TResult<TAccessDescription> TAccessibleServer::Describe(long id) const {
    return GuardCom([&]() -> TResult<TAccessDescription> {
        TAccessDescription described = Described(id);
        if (described.Role == TAccessRole::None)
            return TStatus::Failure(static_cast<uint32_t>(E_INVALIDARG));
        return described;
    });
}

HWND TAccessibleServer::ChildWindow(long id) const {
    const auto& controls = Page.Controls;
    return id > WindowIds && id <= WindowIds + long(controls.size())
               ? controls[size_t(id - WindowIds - 1)]->Handle()
               : nullptr;
}

TAccessibleServer::TChildren TAccessibleServer::ListChildren() const {
    TChildren children;
    const long windows = long(Page.Controls.size());
    const long graphics = long(Page.GraphicControls().size());
    for (long id = 1; id <= WindowIds + windows && children.Count < MaxChildren; ++id) {
        if (id == graphics + 1)
            id = WindowIds + 1;
        TRect box;
        if (HWND window = ChildWindow(id)) {
            if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
                continue;
            box = ScreenRect(window);
        } else {
            const TAccessDescription description = Described(id);
            if (description.Role == TAccessRole::None || description.Invisible)
                continue;
            box = description.Bounds;
        }
        children.Ids[children.Count] = id;
        children.Boxes[children.Count++] = box;
    }
    SortInReadingOrder(children.Ids, children.Boxes, children.Count);
    return children;
}

TResult<TAccessibleServer::TChildren> TAccessibleServer::Children() const {
    return GuardCom([&] { return TResult<TChildren>(ListChildren()); });
}

TResult<std::string> TAccessibleServer::NameOf(HWND window) const {
    return GuardCom([&]() -> TResult<std::string> {
        const bool page = window == Page.Handle();
        if (page && (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION)) {
            char caption[256] = {};
            GetWindowTextA(window, caption, sizeof caption);
            return std::string(caption);
        }
        // A borderless page's caption is never seen: the title drawn on it is its name.
        const TChildren children = ListChildren();
        for (int i = 0; i < children.Count; ++i) {
            if (!page && (i + 1 == children.Count || ChildWindow(children.Ids[i + 1]) != window))
                continue;
            TAccessDescription description = Described(children.Ids[i]);
            if (description.Role == TAccessRole::StaticText)
                return std::move(description.Name);
        }
        return std::string();
    });
}

TResult<long> TAccessibleServer::HitTest(POINT screen) const {
    if (!Contains(ScreenRect(Page.Handle()), screen))
        return -1L;
    // Windows lie above the drawn controls, and a later drawn one above an earlier one.
    const auto children = Children();
    if (!children)
        return children.Status();
    long found = 0;
    for (int i = 0; i < children->Count; ++i) {
        const long id = children->Ids[i];
        if (Contains(children->Boxes[i], screen) && (id > WindowIds || id > found))
            found = id;
        if (found > WindowIds)
            break;
    }
    return found;
}

std::optional<LRESULT> TAccessibleServer::Answer(HWND window, WPARAM wParam, LPARAM lParam) {
    if (Ended || static_cast<LONG>(lParam) != OBJID_CLIENT)
        return std::nullopt;
    const TAccessFunctions* functions = AccessFunctions();
    if (!functions)
        return std::nullopt;
    int slot = 0;
    while (slot < ObjectCount && Objects[slot].Window != window)
        ++slot;
    if (slot == ObjectCount) {
        TComPtr<IAccessible> system;
        if (slot == MaxObjects ||
            (window != Page.Handle() && FAILED(functions->CreateStdAccessibleObject(
                                            window, OBJID_CLIENT, AccessibleId, system.Receive()))))
            return std::nullopt;
        TComPtr<IAccessible> object = MakePageObject(*this, window, std::move(system));
        if (!object) {
            // The reader hears why and may ask again.
            return E_OUTOFMEMORY;
        }
        Objects[ObjectCount++] = {window, std::move(object)};
    }
    return functions->LresultFromObject(AccessibleId, wParam, Objects[slot].Object.Get());
}

void TAccessibleServer::Announce(const TGraphicControl& control, TAccessChange change) const {
    const auto& graphics = Page.GraphicControls();
    const auto found = std::find(graphics.begin(), graphics.end(), &control);
    if (Ended || !Page.HasWindow() || found == graphics.end() ||
        control.Describe().Role == TAccessRole::None)
        return;
    // Windows 95 without the accessibility update has no NotifyWinEvent. Looked up once: the
    // gauge announces on every tick of the animation.
    static const auto notify =
        LoadedFunction<void(WINAPI*)(DWORD, HWND, LONG, LONG)>("user32.dll", "NotifyWinEvent");
    static constexpr DWORD Events[] = {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                       EVENT_OBJECT_VALUECHANGE};
    if (notify)
        notify(Events[int(change)], Page.Handle(), OBJID_CLIENT,
               LONG(found - graphics.begin() + 1));
}

void TAccessibleServer::Disconnect() {
    Ended = true;
    if (ObjectCount == 0)
        return;
    const auto disconnect =
        LoadedFunction<HRESULT(WINAPI*)(IUnknown*, DWORD)>("ole32.dll", "CoDisconnectObject");
    for (; ObjectCount > 0; --ObjectCount) {
        TComPtr<IAccessible>& object = Objects[ObjectCount - 1].Object;
        CutPageObject(object.Get());
        if (disconnect)
            disconnect(object.Get(), 0);
        object.Reset();
    }
}

} // namespace setup
