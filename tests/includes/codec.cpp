// Compiled with the codec library's include folders only: its own headers are found, the
// base helpers are out of reach.
#include "base/Exceptions.h"
#include "codec/StoredBlock.h"
