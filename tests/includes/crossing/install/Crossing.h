// An engine header that knows the system: the include check must name it, and not the standard
// header beside it.
#pragma once

#include <cstdint>
#include <windows.h>
