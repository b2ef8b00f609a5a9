#include "platform/win32/OwnImage.h"

#include "codec/ImageChecksum.h"
#include "platform/win32/Handles.h"

#include <windows.h>

#include <vector>

namespace setup {

bool OwnImageIntact() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length == sizeof path)
        return false;
    const TFileHandle file(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    std::vector<uint8_t> image(size);
    DWORD read = 0;
    if (!ReadFile(file.Get(), image.data(), size, &read, nullptr) || read != size)
        return false;
    return ImageIntact(std::move(image));
}

} // namespace setup
