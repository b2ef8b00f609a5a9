#include "pages/Unit3.h"

#include "pages/SidePicture.h"
#include "pages/Unit4.h"
#include "pages/Unit6.h"
#include "setup/Application.h"

namespace setup {

TForm3* Form3 = nullptr;

TForm3::TForm3() {
    CreateForm("Palvorne Lumivary", 491, 318);
    AddSidePicture(*this, Panel1, Image1);
    AddLabel(Label1, 136, 16, 305, 17, "Setup will install Palvorne Lumivary in following folder");
    AddLabel(Label2, 136, 56, 297, 25, "To install to this folder, click install");
    AddLabel(Label3, 136, 104, 284, 26,
             "To intall to a different folder, click browse and select another folder");
    AddLabel(Label4, 136, 152, 294, 26,
             "You can choose not to install Palvorne Lumivary by clicking  Exit Setup.");
    Label3.WordWrap = Label4.WordWrap = true;
    GroupBox1.SetBounds(-72, 257, 577, 7);
    AddGraphic(GroupBox1);
    GroupBox2.SetBounds(136, 200, 345, 49);
    GroupBox2.Caption = " Destination Folder ";
    AddGraphic(GroupBox2);
    // Controls of the frame sit at its offset (136, 200).
    AddLabel(Label5, 144, 224, 220, 13, "C:\\Program Files\\Palvorne Lumivary");
    Label5.AutoSize = true;
    GroupBox3.SetBounds(-89, 305, 586, 7);
    GroupBox3.Caption = "GroupBox3";
    AddGraphic(GroupBox3);

    Button1.Create(Handle(), 101, {400, 274, 400 + 81, 274 + 25}, "&Install", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(Handle(), 102, {304, 274, 304 + 81, 274 + 25}, "&Exit Setup", FontHandle());
    Button2.OnClick = [this] { Button2Click(); };
    Button3.Create(Handle(), 103, {388, 216, 388 + 83, 216 + 25}, " B&rowse...", FontHandle());
    Button3.OnClick = [this] { Button3Click(); };
}

void TForm3::Button1Click() {
    Form4->Show();
    Hide();
}

void TForm3::Button2Click() {
    if (Application.AbortConfirmation())
        Application.Terminate();
}

void TForm3::Button3Click() {
    // Always rebuilds (the trailing backslash never equals the stored folder), so the chooser
    // starts again from "C:\Program Files\Palvorne Lumivary". A failure leaves it hidden.
    Form6->DirectoryListBox1.SetDirectory("C:\\Program Files\\");
    Form6->Show();
}

void TForm3::FormClose(TCloseAction&) {
    Application.Terminate();
}

} // namespace setup
