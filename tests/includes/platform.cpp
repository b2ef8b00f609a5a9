// Compiled with the platform library's include folders only: its own headers are found, the
// pages' interface (a header with no code behind it) is out of reach.
#include "base/Exceptions.h"
#include "pages/ApplicationServices.h"
