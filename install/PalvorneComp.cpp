#include "install/PalvorneComp.h"

#include "base/Exceptions.h"
#include "base/PathText.h"
#include "install/RegistryAccessor.h"

namespace setup {

TShellFolders ReadShellFolders(IRegistry& registry) {
    TShellFolders folders;
    TRegistry reader(registry);
    reader.SetRootKey(TRootKey::LocalMachine);
    reader.OpenKey("\\software\\microsoft\\windows\\currentversion", true, TKeyAccess::Read);
    // The values not kept are still read: one that is not text ends the install all the same.
    (void)reader.ReadString("systemroot");
    reader.SetRootKey(TRootKey::CurrentUser);
    reader.OpenKey("\\software\\microsoft\\windows\\currentversion\\EXPLORER\\Shell Folders", true,
                   TKeyAccess::Read);
    folders.Programs = reader.ReadString("Programs");
    for (const char* name : {"Start Menu", "Desktop", "Startup"})
        (void)reader.ReadString(name);
    return folders;
}

TStatus CreateShortcut(IShellLinks& links, IErrorTexts& texts, const std::string& folder,
                       const std::string& linkName, const std::string& target, TLeadBytes lead) {
    const TShortcut link{
        .Arguments = target, .Path = target, .WorkingDirectory = ExtractFilePath(target, lead)};
    const TLinkSaved saved = links.Save(link, folder + linkName);
    const uint32_t code = saved.Status().ErrorCode();
    switch (saved.Failure()) {
    case TLinkFailure::NoLinkObject: {
        const std::string text = texts.ErrorText(code);
        throw EOleSysError(
            text.empty() ? Format("OLE error %.8x", static_cast<unsigned>(code)) : text, code);
    }
    case TLinkFailure::NoInterface:
        throw EIntfCastError("Interface not supported");
    default:
        return saved.Status();
    }
}

} // namespace setup
