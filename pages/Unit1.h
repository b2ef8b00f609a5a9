// The backdrop: a borderless, maximised, black window behind the pages for the whole run.
#pragma once

#include "platform/StdGraphics.h"
#include "platform/win32/Form.h"
#include "platform/win32/Win32Screen.h"
#include "widgets/FxLabel.h"

namespace setup {

class TForm1 : public TForm {
public:
    TForm1();

    TImage Image2{this};
    TImage Image1{this};
    TWin32Screen Screen; // the title measures its text on the screen
    TFxLabel FxLabel1{this, Screen};

protected:
    void FormActivate() override;
    void FormResize(int clientWidth, int clientHeight) override;
};

extern TForm1* Form1;

// Tells a running background runner to quit; posts nothing when none is found.
void CloseCompanionWindow();

} // namespace setup
