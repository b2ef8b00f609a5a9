// The welcome page.
#pragma once

#include "pages/ApplicationServices.h"
#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"
#include "ui/win32/StdControls.h"

namespace setup {

class TForm3;

class TForm2 : public TForm {
public:
    TForm2(IApplicationServices& application, TForm3& destination);

    TPanel Panel1{this};       // frame of the side picture
    TImage Image1{this};       // side picture
    TLabel Label1{this};       // welcome
    TLabel Label2{this};       // advice to close other programs
    TLabel Label3{this};       // what the two buttons do
    TLabel Label4{this};       // "WARNING:"
    TLabel Label5{this};       // the ownership notice
    TGroupBox GroupBox1{this}; // rule above the buttons
    TGroupBox GroupBox2{this}; // rule below the buttons
    TButton Button1;           // "&Continue >>"
    TButton Button2;           // "&Exit Setup"

    void FormCreate();
    void Button1Click();
    void Button2Click();

protected:
    void FormClose(TCloseAction& action) override;

private:
    IApplicationServices& Application;
    TForm3& Form3;
};

} // namespace setup
