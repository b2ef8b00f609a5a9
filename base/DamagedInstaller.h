// What the error display says when the program's file or a stored block is damaged: shown by
// the entry stub before anything is unpacked, and by the reader of the stored blocks.
#pragma once

namespace setup {

inline constexpr char DamagedInstallerMessage[] =
    "Setup.exe is damaged. Please obtain a new copy of it and run it again.";

} // namespace setup
