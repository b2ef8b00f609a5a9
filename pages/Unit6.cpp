#include "pages/Unit6.h"

#include "base/PathText.h"
#include "pages/Unit3.h"

namespace setup {

namespace {

// Where the controls sit: left, top, width, height; the drive box's list drops below it.
constexpr struct {
    TRect Label1 = Box(16, 8, 169, 13);
    TRect Label2 = Box(16, 32, 25, 13);
    TRect Label3 = Box(16, 88, 53, 13);
    TRect Label4 = Box(16, 256, 28, 13);
    TRect Edit1 = Box(16, 56, 233, 21);
    TRect Button1 = Box(176, 112, 75, 25);
    TRect Button2 = Box(176, 152, 75, 25);
    TRect DirectoryListBox1 = Box(16, 112, 145, 137);
    TRect DriveComboBox1 = Box(16, 280, 145, 19);
} Layout;

} // namespace

TForm6::TForm6(IApplicationServices& application, IDriveSystem& drives, TForm3& destination)
    : TForm(application.Toolkit()), DirectoryListBox1(drives), DriveComboBox1(drives),
      Application(application), Form3(destination) {
    CreateForm("Choose Folder", 261, 322);
    AddLabel(Label1, Layout.Label1, "Please choose the installation folder");
    AddLabel(Label2, Layout.Label2, "Path:");
    AddLabel(Label3, Layout.Label3, "Directories:");
    AddLabel(Label4, Layout.Label4, "Drive:");
    // Each box is its text's size at 96 dpi; sized to the text, none is cut where the system's
    // face for a larger screen font is wider than the scale.
    for (TLabel* label : {&Label1, &Label2, &Label3, &Label4})
        label->AutoSize = true;
    Edit1.Create(*this, 101, Layout.Edit1, "C:\\Program Files\\Palvorne Lumivary", FontHandle());
    Button1.Create(*this, 102, Layout.Button1, "&OK", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(*this, 103, Layout.Button2, "&Cancel", FontHandle());
    Button2.OnClick = [this] { Button2Click(); };
    DirectoryListBox1.OnChange = [this] { DirectoryListBox1Change(); };
    DirectoryListBox1.SetFont(ParentFont());
    DirectoryListBox1.Create(*this, 104, Layout.DirectoryListBox1);
    DriveComboBox1.SetFont(ParentFont());
    DriveComboBox1.SetTextCase(tcUpperCase);
    DriveComboBox1.SetDirList(&DirectoryListBox1);
    DriveComboBox1.Create(*this, 105, Layout.DriveComboBox1);
}

// Proposes the product's folder under the folder now chosen.
void TForm6::DirectoryListBox1Change() {
    const std::string directory = DirectoryListBox1.Directory();
    const std::string root = std::string(1, DriveComboBox1.Drive()) + ":\\";
    Edit1.SetText(directory == root ? directory + "Palvorne Lumivary"
                                    : directory + "\\Palvorne Lumivary");
}

void TForm6::Button1Click() {
    const std::string path = Edit1.Text();
    // An empty path would install into the root of the current drive.
    if (IsBlank(path)) {
        Application.PlainMessage("Please choose the installation folder");
        return;
    }
    Form3.SetDestinationFolder(path);
    Hide();
}

void TForm6::Button2Click() {
    Hide();
}

} // namespace setup
