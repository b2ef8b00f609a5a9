#include "install/DefaultConfiguration.h"

#include "install/SafeFile.h"

#include <cstdint>
#include <iterator>
#include <span>

namespace setup {

namespace {

// The product reads these keys exactly as spelt here, "sturtupDate" included.
const char* const Lines[] = {
    "[Randomizeon]",
    "start=Boot",
    "startDate=Boot",
    "startup=Boot",
    "sturtupDate=Boot",
    "wait=Boot",
    "waitDate=Boot",
    "shutdown=Boot",
    "ShutdownDate=Boot",
    "Wallpaper=Boot",
    "WallpaperDate=Boot",
    "screensaver=Boot",
    "screensaverdate=Boot",
    "ie5=Boot",
    "ie5Date=Boot",
    "Exit=Boot",
    "Exitdate=Boot",
    "Theme=Boot",
    "Themedate=Boot",
    "",
    "",
    "[Randomize]",
    "start=true",
    "startup=true",
    "exit=true",
    "shutdown=true",
    "wallpaper=true",
    "ie5=true",
    "wait=true",
    "screensaver=true",
    "theme=true",
    "IE5Skins=true",
    "",
    "[Colors]",
    "Background=65535",
    "buttons=0",
    "",
    "[Images]",
    "button=",
    "Background=",
    "",
    "[Trayicon]",
    "Name=1",
    "Enabled=true",
    "",
    "[numberRandomized]",
    "startsound=0",
    "startup=0",
    "exitsound=0",
    "shutdown=0",
    "wallpaper=0",
    "ie5=0",
    "wait=0",
    "screensaver=0",
};

} // namespace

const std::vector<std::string>& DefaultConfigurationLines() {
    // Made from plain text once: a list of string objects would be built by code per line.
    static const std::vector<std::string> lines(std::begin(Lines), std::end(Lines));
    return lines;
}

void WriteConfiguration(IFileSystem& files, const std::string& path,
                        const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteFileSafely(files, path,
                    std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

} // namespace setup
