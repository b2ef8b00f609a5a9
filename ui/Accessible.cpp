#include "ui/Accessible.h"

#include <algorithm>
#include <utility>

namespace setup {

std::string WithoutAccelMarks(const std::string& caption) {
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && ++i == caption.size())
            break;
        text += caption[i];
    }
    return text;
}

namespace {

// Insertion sort of [first, last) by key: a page has a few dozen controls at most.
template <class Key> void SortBy(long* ids, TRect* boxes, int first, int last, Key key) {
    for (int i = first + 1; i < last; ++i)
        for (int j = i; j > first && key(boxes[j]) < key(boxes[j - 1]); --j) {
            std::swap(ids[j], ids[j - 1]);
            std::swap(boxes[j], boxes[j - 1]);
        }
}

} // namespace

void SortInReadingOrder(long* ids, TRect* boxes, int count) {
    SortBy(ids, boxes, 0, count, [](const TRect& box) { return box.Top; });
    for (int row = 0, end = 0; row < count; row = end) {
        const int bottom = std::max(boxes[row].Bottom, boxes[row].Top + 1);
        for (end = row + 1; end < count && boxes[end].Top < bottom;)
            ++end;
        SortBy(ids, boxes, row, end, [](const TRect& box) { return box.Left; });
    }
}

} // namespace setup
