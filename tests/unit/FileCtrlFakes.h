// Stand-ins for the window and the pictures of the folder list and the drive box.
#pragma once

#include "ui/Canvas.h"
#include "widgets/OwnerDrawList.h"

#include <memory>
#include <string>
#include <vector>

namespace setup {

class FakeListView : public IListView {
public:
    bool Window = true;
    std::vector<std::string> Items;
    int Selected = -1;
    int Suspended = 0;
    int Rebuilds = 0;        // ClearItems calls
    int AddedWhileShown = 0; // entries added while redrawing was on

    bool HasWindow() const override { return Window; }
    void BeginUpdate() override { ++Suspended; }
    void EndUpdate() override { --Suspended; }
    void ClearItems() override {
        ++Rebuilds;
        Items.clear();
        Selected = -1;
    }
    void AddItem(const std::string& text) override {
        AddedWhileShown += Suspended == 0;
        Items.push_back(text);
    }
    int SelectedIndex() const override { return Selected; }
    void SelectIndex(int index) override {
        Selected = index >= 0 && index < static_cast<int>(Items.size()) ? index : -1;
    }
};

class FakeBitmap : public IBitmap {
public:
    FakeBitmap(int width, int height) : W(width), H(height) {}
    int Width() const override { return W; }
    int Height() const override { return H; }
    TColor TransparentColor() const override { return RGBColor(128, 0, 128); }
    std::unique_ptr<IBitmap> Clone() const override { return std::make_unique<FakeBitmap>(W, H); }

private:
    int W;
    int H;
};

} // namespace setup
