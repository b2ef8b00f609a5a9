#include "platform/win32/Win32ShellLinks.h"

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

TLinkSaved Failed(TLinkFailure failure, HRESULT result) {
    return {failure, static_cast<uint32_t>(result)};
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

TLinkSaved Win32ShellLinks::Save(const TShortcut& link, const std::string& file) {
    TComPtr<IUnknown> object;
    const HRESULT created =
        CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         UnknownInterface, object.Receive());
    if (FAILED(created))
        return Failed(TLinkFailure::NoLinkObject, created);
    TComPtr<IShellLinkA> shellLink;
    TComPtr<IPersistFile> persistFile;
    HRESULT asked = object->QueryInterface(ShellLinkAInterface, shellLink.Receive());
    if (SUCCEEDED(asked))
        asked = object->QueryInterface(PersistFileInterface, persistFile.Receive());
    if (FAILED(asked))
        return Failed(TLinkFailure::NoInterface, asked);
    // The first failure says why; nothing is saved after it.
    for (const HRESULT result :
         {shellLink->SetArguments(link.Arguments.c_str()), shellLink->SetPath(link.Path.c_str()),
          shellLink->SetWorkingDirectory(link.WorkingDirectory.c_str())})
        if (FAILED(result))
            return Failed(TLinkFailure::NotSaved, result);
    const HRESULT saved = persistFile->Save(WideText(file).c_str(), FALSE);
    return FAILED(saved) ? Failed(TLinkFailure::NotSaved, saved) : TLinkSaved();
}

} // namespace setup
