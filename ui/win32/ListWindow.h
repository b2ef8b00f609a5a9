// The platform's owner-drawn list windows: a list box or a drop-down list whose entries are
// painted by whoever fills it, through an item painter called back on WM_DRAWITEM.
#pragma once

#include <windows.h>

#include "ui/Canvas.h"
#include "ui/ListView.h"
#include "ui/win32/Scale.h"
#include "ui/win32/WinControl.h"

#include <functional>

namespace setup {

class TListWindow final : public TWinControl, public IListView {
public:
    enum class TKind { ListBox, ComboBox };
    // Paints entry index (-1: the bare background) inside rect, whose top-left corner is the
    // canvas's origin.
    using TItemPainter =
        std::function<void(ICanvas& canvas, int index, const TRect& rect, TItemState state)>;

    explicit TListWindow(TKind kind) : Kind(kind) {}

    // Makes the window at parent's scale; a drop-down list's window also covers its dropped
    // list, droppedHeight units below bounds. Tab order is creation order.
    void Create(TForm& parent, int id, const TRect& bounds, int droppedHeight = 0);
    // The height of every entry (and of a drop-down list's closed box), in layout units.
    void SetItemHeight(int height);

    TItemPainter PaintItem;
    std::function<void()> OnOpen;   // list box: double-click or Enter on an entry
    std::function<void()> OnSelect; // drop-down list: the user chose an entry

    bool HasWindow() const override { return Window != nullptr; }
    void BeginUpdate() override;
    void EndUpdate() override;
    void ClearItems() override;
    void AddItem(const std::string& text) override;
    int SelectedIndex() const override;
    void SelectIndex(int index) override;
    bool OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // A list box's own messages: catches the Enter key, which a list box itself ignores.
    LRESULT OwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void DrawEntry(const DRAWITEMSTRUCT& item) const;
    UINT Message(UINT listBoxMessage, UINT comboBoxMessage) const {
        return Kind == TKind::ListBox ? listBoxMessage : comboBoxMessage;
    }

    TKind Kind;
    TScale Scale;
};

} // namespace setup
