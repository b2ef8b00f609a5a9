// A widget header that knows the shell, in a directive indented inside a condition: the include
// check must name it.
#pragma once

#include <string>
#if 1
#  include <shlobj.h>
#endif
