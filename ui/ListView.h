// The platform's list windows as the controls that fill them see them: a list box or a
// drop-down list whose entries its owner draws.
#pragma once

#include <string>

namespace setup {

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

// How the window wants one entry drawn.
struct TItemState {
    bool Selected = false;
    bool Focused = false;
};

} // namespace setup
