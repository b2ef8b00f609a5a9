// The folder chooser: a modeless dialog proposing an install path under a chosen folder.
#pragma once

#include "platform/StdGraphics.h"
#include "platform/win32/FileCtrlWindows.h"
#include "platform/win32/Form.h"
#include "platform/win32/StdControls.h"

#include <string>

namespace setup {

class TForm6 : public TForm {
public:
    TForm6();

    TLabel Label1{this};
    TLabel Label2{this};
    TEdit Edit1;
    TLabel Label3{this};
    TButton Button1;
    TButton Button2;
    TDirectoryListBoxWindow DirectoryListBox1;
    TLabel Label4{this};
    TDriveComboBoxWindow DriveComboBox1;

    void DirectoryListBox1Change();
    void Button1Click();
    void Button2Click();
};

extern TForm6* Form6;

} // namespace setup
