// The folder chooser: a modeless dialog proposing an install path under a chosen folder.
#pragma once

#include "pages/ApplicationServices.h"
#include "ui/StdGraphics.h"
#include "ui/win32/Form.h"
#include "ui/win32/StdControls.h"
#include "widgets/win32/ChooserControls.h"

#include <string>

namespace setup {

class TForm3;

class TForm6 : public TForm {
public:
    TForm6(IApplicationServices& application, IDriveSystem& drives, TForm3& destination);

    TLabel Label1{this}; // "Please choose the installation folder"
    TLabel Label2{this}; // "Path:"
    TEdit Edit1;         // the path proposed
    TLabel Label3{this}; // "Directories:"
    TButton Button1;     // "&OK"
    TButton Button2;     // "&Cancel"
    TDirectoryListBoxWindow DirectoryListBox1;
    TLabel Label4{this}; // "Drive:"
    TDriveComboBoxWindow DriveComboBox1;

    void DirectoryListBox1Change();
    void Button1Click();
    void Button2Click();

private:
    IApplicationServices& Application;
    TForm3& Form3;
};

} // namespace setup
