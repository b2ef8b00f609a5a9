#include "shellutil/PalvorneComp.h"

#include "install/PathText.h"
#include "install/Registry.h"

namespace setup {

TShellFolders ShellFolders;

void ReadShellFolders(IRegistry& registry) {
    TRegistry reader(registry);
    reader.SetRootKey(TRootKey::LocalMachine);
    reader.OpenKey("\\software\\microsoft\\windows\\currentversion", true);
    ShellFolders.Windows = reader.ReadString("systemroot");
    reader.SetRootKey(TRootKey::CurrentUser);
    reader.OpenKey("\\software\\microsoft\\windows\\currentversion\\EXPLORER\\Shell Folders", true);
    ShellFolders.Programs = reader.ReadString("Programs");
    ShellFolders.StartMenu = reader.ReadString("Start Menu");
    ShellFolders.Desktop = reader.ReadString("Desktop");
    ShellFolders.Startup = reader.ReadString("Startup");
}

void CreateShortcut(IShellLinks& links, const std::string& folder, const std::string& linkName,
                    const std::string& target) {
    const TShortcut link{
        .Arguments = target, .Path = target, .WorkingDirectory = ExtractFilePath(target)};
    links.Save(link, folder + linkName);
}

} // namespace setup
