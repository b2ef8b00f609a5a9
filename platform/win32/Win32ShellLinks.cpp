#include "platform/win32/Win32ShellLinks.h"

#include "base/Exceptions.h"
#include "platform/win32/Win32ErrorTexts.h"
#include "win32/ComPtr.h"

#include <shlobj.h>

namespace setup {

namespace {

// The shell-link class and the interfaces it is asked for; spelt out here rather than taken
// from the GUID library, which would bring every GUID it knows into the image.
constexpr CLSID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID UnknownInterface = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID ShellLinkAInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The system's text for a COM error, or "OLE error %.8x" when it has none.
std::string OleErrorMessage(HRESULT code) {
    const std::string text = Win32ErrorTexts().ErrorText(static_cast<uint32_t>(code));
    return text.empty() ? Format("OLE error %.8x", static_cast<unsigned>(code)) : text;
}

template <typename T> TComPtr<T> Query(const TComPtr<IUnknown>& object, REFIID iid) {
    TComPtr<T> result;
    if (FAILED(object->QueryInterface(iid, result.Receive())))
        throw EIntfCastError("Interface not supported");
    return result;
}

std::wstring WideText(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.pop_back(); // the terminator counted in length
    return wide;
}

} // namespace

TStatus Win32ShellLinks::Save(const TShortcut& link, const std::string& file) {
    TComPtr<IUnknown> object;
    const HRESULT created =
        CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         UnknownInterface, object.Receive());
    if (FAILED(created))
        throw EOleSysError(OleErrorMessage(created), static_cast<uint32_t>(created));
    const TComPtr<IShellLinkA> shellLink = Query<IShellLinkA>(object, ShellLinkAInterface);
    const TComPtr<IPersistFile> persistFile = Query<IPersistFile>(object, PersistFileInterface);
    // The first failure says why; nothing is saved after it.
    for (const HRESULT result :
         {shellLink->SetArguments(link.Arguments.c_str()), shellLink->SetPath(link.Path.c_str()),
          shellLink->SetWorkingDirectory(link.WorkingDirectory.c_str())})
        if (FAILED(result))
            return TStatus::Failure(static_cast<uint32_t>(result));
    const HRESULT saved = persistFile->Save(WideText(file).c_str(), FALSE);
    return FAILED(saved) ? TStatus::Failure(static_cast<uint32_t>(saved)) : TStatus();
}

} // namespace setup
