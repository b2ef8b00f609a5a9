// The destination page: its folder label is the one home of the destination folder.
#pragma once

#include "platform/StdGraphics.h"
#include "platform/win32/Form.h"
#include "platform/win32/StdControls.h"

#include <string>

namespace setup {

class TForm3 : public TForm {
public:
    TForm3();

    TPanel Panel1{this};
    TImage Image1{this};
    TLabel Label1{this};
    TLabel Label2{this};
    TLabel Label3{this};
    TLabel Label4{this};
    TGroupBox GroupBox1{this};
    TButton Button1;
    TButton Button2;
    TGroupBox GroupBox2{this};
    TLabel Label5{this};
    TButton Button3;
    TGroupBox GroupBox3{this};

    std::string DestinationFolder() const { return Label5.Caption(); }
    void SetDestinationFolder(const std::string& folder) { Label5.SetCaption(folder); }

    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void FormClose(TCloseAction& action) override;
};

extern TForm3* Form3;

} // namespace setup
