#include "pages/Unit3.h"

#include "base/Timing.h"
#include "pages/SidePicture.h"
#include "pages/Unit4.h"
#include "pages/Unit6.h"

namespace setup {

namespace {

// Where the controls sit: left, top, width, height. Label5 and Button3 sit inside
// GroupBox2's frame.
constexpr struct {
    TRect Label1 = Box(136, 16, 305, 17);
    TRect Label2 = Box(136, 56, 297, 25);
    TRect Label3 = Box(136, 104, 284, 26);
    TRect Label4 = Box(136, 152, 294, 26);
    TRect GroupBox1 = Box(-72, 257, 577, 7);
    TRect GroupBox2 = Box(136, 200, 345, 49);
    TRect Label5 = Box(144, 224, 220, 13);
    TRect GroupBox3 = Box(-89, 305, 586, 7);
    TRect Button1 = Box(400, 274, 81, 25);
    TRect Button2 = Box(304, 274, 81, 25);
    TRect Button3 = Box(388, 216, 83, 25);
} Layout;

} // namespace

TForm3::TForm3(IApplicationServices& application, TForm4& progress, TForm6& chooser)
    : TForm(application.Toolkit()), Application(application), Form4(progress), Form6(chooser) {
    CreateForm("Palvorne Lumivary", 491, 318);
    AddSidePicture(*this, Panel1, Image1);
    AddLabel(Label1, Layout.Label1, "Setup will install Palvorne Lumivary in following folder");
    AddLabel(Label2, Layout.Label2, "To install to this folder, click install");
    AddLabel(Label3, Layout.Label3,
             "To intall to a different folder, click browse and select another folder");
    AddLabel(Label4, Layout.Label4,
             "You can choose not to install Palvorne Lumivary by clicking  Exit Setup.");
    Label3.WordWrap = Label4.WordWrap = true;
    GroupBox1.SetBoundsRect(Layout.GroupBox1);
    AddGraphic(GroupBox1);
    GroupBox2.SetBoundsRect(Layout.GroupBox2);
    GroupBox2.Caption = " Destination Folder ";
    AddGraphic(GroupBox2);
    AddLabel(Label5, Layout.Label5, "C:\\Program Files\\Palvorne Lumivary");
    Label5.AutoSize = true;
    Label5.ShowAccelChar = false; // the user's folder, shown as it is
    GroupBox3.SetBoundsRect(Layout.GroupBox3);
    GroupBox3.Caption = "GroupBox3";
    AddGraphic(GroupBox3);
    Button1.Create(*this, 101, Layout.Button1, "&Install", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(*this, 102, Layout.Button2, "&Exit Setup", FontHandle());
    Button2.OnClick = [this] { Button2Click(); };
    Button3.Create(*this, 103, Layout.Button3, " B&rowse...", FontHandle());
    Button3.OnClick = [this] { Button3Click(); };
}

void TForm3::Button1Click() {
    SETUP_MARK(InstallClickTime);
    Form4.Show();
    Hide();
}

void TForm3::Button2Click() {
    if (Application.AbortConfirmation())
        Application.Terminate();
}

void TForm3::Button3Click() {
    // Always rebuilds (the trailing backslash never equals the stored folder), so the chooser
    // starts again from "C:\Program Files\Palvorne Lumivary". A failure leaves it hidden.
    Form6.DirectoryListBox1.SetDirectory("C:\\Program Files\\");
    Form6.Show();
}

void TForm3::FormClose(TCloseAction&) {
    Application.Terminate();
}

} // namespace setup
