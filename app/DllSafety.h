// An installer runs from download folders full of other people's files: it must load no DLL
// from its own folder or the current directory.
#pragma once

namespace setup {

// Restricts DLL and program searches to the system folder, where the platform offers it;
// older Windows still starts.
void RestrictDllSearch();

} // namespace setup
