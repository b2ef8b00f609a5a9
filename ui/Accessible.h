// What a control tells a screen reader about itself, in the toolkit's own words, and the order
// in which a reader goes through a page.
#pragma once

#include "ui/Graphics.h"

#include <cstdint>
#include <string>

namespace setup {

// None: the control says nothing to a listener (a panel, a picture, a rule) and is left out.
enum class TAccessRole : uint8_t { None, StaticText, Grouping, ProgressBar };

// Name and value are in the ANSI code page, as drawn; bounds in the parent's layout units.
struct TAccessDescription {
    TAccessRole Role = TAccessRole::None;
    std::string Name;
    std::string Value;
    TRect Bounds;
    bool Invisible = false;
    bool ReadOnly = false;
};

enum class TAccessChange : uint8_t { Name, Location, Value };

// The caption as a reader should hear it: the accelerator marks that drawing underlines taken
// out ("&&" is one ampersand). '&' is never a trail byte, so bytes are safe to walk here.
std::string WithoutAccelMarks(const std::string& caption);

// Puts ids and their boxes in reading order: rows top to bottom, each made of the boxes whose
// tops lie above the bottom of the row's first (topmost) box, then left to right within a row.
// Boxes that tie keep their order.
void SortInReadingOrder(long* ids, TRect* boxes, int count);

} // namespace setup
