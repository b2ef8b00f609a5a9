// The plain windowless controls of the pages: text, panels, frames and pictures.
#pragma once

#include "ui/Control.h"
#include "ui/TextFit.h"

#include <memory>
#include <string>

namespace setup {

class TLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(ICanvas& canvas) override;
    void AdjustBounds(ICanvas& canvas) override;
    TAccessDescription Describe() const override;

    const std::string& Caption() const { return Text; }
    void SetCaption(const std::string& caption);
    void SetFont(const TFontDesc& font);
    TFontDesc Font() const;

    bool Transparent = false;
    bool WordWrap = false;
    // Grows or shrinks to its text before the parent paints, keeping its top-left corner.
    bool AutoSize = false;
    // An '&' marks the next character as the accelerator; off for texts that show the user's
    // data, where an ampersand is just an ampersand.
    bool ShowAccelChar = true;

private:
    unsigned PrefixFormat() const;

    std::string Text;
    TFontDesc OwnFont;
    bool ParentFont = true;
    bool Measured = false; // the bounds fit the text and font as they are
    TFittingFace Face;
};

enum class TBevelCut { None, Lowered, Raised };

// A flat area framed by a one-pixel bevel.
class TPanel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(ICanvas& canvas) override;
    TBevelCut BevelOuter = TBevelCut::Raised;
};

// An etched frame with an optional caption; an empty one a few pixels high is a rule.
class TGroupBox : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(ICanvas& canvas) override;
    TAccessDescription Describe() const override;
    std::string Caption;
};

class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(ICanvas& canvas) override;

    const IBitmap* Picture() const { return Bitmap.get(); }
    // Takes the picture; the image keeps its own copy from then on.
    void SetPicture(std::unique_ptr<IBitmap> picture);

    bool Stretch = false;
    // Pixels of the picture's bottom-left colour are not drawn.
    bool Transparent = false;

private:
    std::unique_ptr<IBitmap> Bitmap;
};

} // namespace setup
