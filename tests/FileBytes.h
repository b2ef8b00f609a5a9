// Whole files read for comparison by the tests of both builds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace setup {

// The bytes of the file at path; empty when it cannot be read.
inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    uint8_t buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

} // namespace setup
