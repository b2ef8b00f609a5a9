// Path text as the folder list reads it: backslash-separated, with double-byte characters
// stepped over whole so that a trail byte that looks like a backslash never splits a name.
#pragma once

#include "base/PathText.h"

#include <string>
#include <vector>

namespace setup {

class TFolderPath {
public:
    explicit TFolderPath(TLeadBytes lead) : Lead(lead) {}

    // Byte positions of the backslashes in text.
    std::vector<size_t> Backslashes(const std::string& text) const;
    // "C:" for a drive-letter path, "\\server\share" for a network path, otherwise "".
    std::string DrivePart(const std::string& path) const;
    // The number of backslashes in path.
    int Depth(const std::string& path) const;
    bool EndsWithBackslash(const std::string& text) const;
    // folder and name with one backslash between, unless folder already ends with one.
    std::string Join(const std::string& folder, const std::string& name) const;

private:
    TLeadBytes Lead;
};

} // namespace setup
