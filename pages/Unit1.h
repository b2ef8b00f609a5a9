// The backdrop: a borderless, maximised, black window behind the pages for the whole run.
#pragma once

#include "pages/ApplicationServices.h"
#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"
#include "ui/win32/Win32Screen.h"
#include "widgets/FxLabel.h"

namespace setup {

class TForm2;

class TForm1 : public TForm {
public:
    TForm1(IApplicationServices& application, TForm2& welcome);

    TImage Image2{this};             // the backdrop picture, stretched over the whole window
    TImage Image1{this};             // the product picture
    TWin32Screen Screen;             // the title measures its text on the screen
    TFxLabel FxLabel1{this, Screen}; // the product title

protected:
    void FormActivate() override;
    void FormShow() override;
    void FormResize(int clientWidth, int clientHeight) override;

private:
    TForm2& Form2;
};

// Tells a running background runner to quit; posts nothing when none is found.
void CloseCompanionWindow();

} // namespace setup
