// The destination page: its folder label is the one home of the destination folder.
#pragma once

#include "pages/ApplicationServices.h"
#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"
#include "ui/win32/StdControls.h"

#include <string>

namespace setup {

class TForm4;
class TForm6;

class TForm3 : public TForm {
public:
    TForm3(IApplicationServices& application, TForm4& progress, TForm6& chooser);

    TPanel Panel1{this};       // frame of the side picture
    TImage Image1{this};       // side picture, copied from the welcome page
    TLabel Label1{this};       // where Setup will install
    TLabel Label2{this};       // how to install there
    TLabel Label3{this};       // how to choose another folder
    TLabel Label4{this};       // how not to install
    TGroupBox GroupBox1{this}; // rule above the buttons
    TButton Button1;           // "&Install"
    TButton Button2;           // "&Exit Setup"
    TGroupBox GroupBox2{this}; // " Destination Folder " frame
    TLabel Label5{this};       // the destination folder
    TButton Button3;           // " B&rowse..."
    TGroupBox GroupBox3{this}; // rule below the buttons

    std::string DestinationFolder() const { return Label5.Caption(); }
    void SetDestinationFolder(const std::string& folder) { Label5.SetCaption(folder); }

    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void FormClose(TCloseAction& action) override;

private:
    IApplicationServices& Application;
    TForm4& Form4;
    TForm6& Form6;
};

} // namespace setup
