// Compiled with the codec library's include folders only: its own headers are found, the
// platform's are out of reach.
#include "codec/StoredBlock.h"
#include "platform/Exceptions.h"
