// The welcome page.
#pragma once

#include "platform/StdGraphics.h"
#include "platform/win32/Form.h"
#include "platform/win32/StdControls.h"

namespace setup {

class TForm2 : public TForm {
public:
    TForm2();

    TPanel Panel1{this};
    TImage Image1{this};
    TLabel Label1{this};
    TLabel Label2{this};
    TLabel Label3{this};
    TLabel Label4{this};
    TLabel Label5{this};
    TGroupBox GroupBox1{this};
    TGroupBox GroupBox2{this};
    TButton Button1;
    TButton Button2;

    void FormCreate();
    void Button1Click();
    void Button2Click();

protected:
    void FormClose(TCloseAction& action) override;
};

extern TForm2* Form2;

} // namespace setup
