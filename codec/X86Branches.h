// The x86 branch conversion of the LZMA format's BCJ filter (Python's lzma FILTER_X86 with
// start offset 0): the packer turns the relative targets of calls and jumps into absolute
// ones, so that calls of one function look alike and pack smaller; this turns them back.
#pragma once

#include "codec/StartSection.h"

#include <cstddef>
#include <cstdint>

namespace setup {

// Undoes the conversion on the size bytes at data, in place. Runs before the unpacking.
SETUP_START_CODE void X86BranchesDecode(uint8_t* data, size_t size);

} // namespace setup
