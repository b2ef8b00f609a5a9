// The running program's check of its own file, made before anything else it does.
#pragma once

namespace setup {

// True when the program's file carries its own checksum (codec/ImageChecksum.h): every byte
// but what signing changes is as the build made it. False when it is damaged or unreadable.
bool OwnImageIntact();

} // namespace setup
