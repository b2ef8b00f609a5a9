#include "pages/Unit6.h"

#include "pages/Unit3.h"
#include "setup/Application.h"

namespace setup {

TForm6* Form6 = nullptr;

namespace {
bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}
} // namespace

TForm6::TForm6() {
    CreateForm("Choose Folder", 261, 322);
    AddLabel(Label1, 16, 8, 169, 13, "Please choose the installation folder");
    AddLabel(Label2, 16, 32, 25, 13, "Path:");
    AddLabel(Label3, 16, 88, 53, 13, "Directories:");
    AddLabel(Label4, 16, 256, 28, 13, "Drive:");
    Edit1.Create(Handle(), 101, {16, 56, 16 + 233, 56 + 21}, "C:\\Program Files\\Palvorne Lumivary",
                 FontHandle());
    Button1.Create(Handle(), 102, {176, 112, 176 + 75, 112 + 25}, "&OK", FontHandle());
    Button1.OnClick = [this] { Button1Click(); };
    Button2.Create(Handle(), 103, {176, 152, 176 + 75, 152 + 25}, "&Cancel", FontHandle());
    Button2.OnClick = [this] { Button2Click(); };
    DirectoryListBox1.OnChange = [this] { DirectoryListBox1Change(); };
    DirectoryListBox1.SetFont(ParentFont());
    DirectoryListBox1.Create(Handle(), 104, {16, 112, 16 + 145, 112 + 137});
    DriveComboBox1.SetFont(ParentFont());
    DriveComboBox1.SetTextCase(tcUpperCase);
    DriveComboBox1.SetDirList(&DirectoryListBox1);
    DriveComboBox1.Create(Handle(), 105, {16, 280, 16 + 145, 280 + 19});
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
    Form3->SetDestinationFolder(path);
    Hide();
}

void TForm6::Button2Click() {
    Hide();
}

} // namespace setup
