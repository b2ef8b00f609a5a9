// What the folder list and the drive box share: the window that shows their entries, and the
// way each entry's surface is prepared before it is drawn.
#pragma once

#include "platform/Canvas.h"
#include "platform/Graphics.h"

#include <string>

namespace setup {

// The list box or drop-down list behind a control whose entries the control draws itself.
// Entries keep the order they are added in.
class IListView {
public:
    virtual ~IListView() = default;
    virtual bool HasWindow() const = 0;
    // Redrawing is suspended between these two calls, so that a rebuild repaints once.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::string& text) = 0;
    // -1 when no entry is selected.
    virtual int SelectedIndex() const = 0;
    // An index outside the entries leaves none selected.
    virtual void SelectIndex(int index) = 0;
};

// Keeps a view's redrawing suspended for a scope.
class TUpdateLock {
public:
    explicit TUpdateLock(IListView& view) : View(view) { View.BeginUpdate(); }
    ~TUpdateLock() { View.EndUpdate(); }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    IListView& View;
};

struct TItemState {
    bool Selected = false;
    bool Focused = false;
};

// Sets the font and colours of one entry (highlight colours when selected) and fills rect
// with the background.
void PrepareItem(ICanvas& canvas, const TRect& rect, const TFontDesc& font, TColor color,
                 TItemState state);

// Vertical position that centres a picture of the given height in rect.
inline int CentredTop(const TRect& rect, int height) {
    return (rect.Top + rect.Bottom - height) / 2;
}

} // namespace setup
