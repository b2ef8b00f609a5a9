// A codec header that knows the base helpers: the include check must name it.
#pragma once

#include "base/Exceptions.h"
#include "codec/Lzma.h"
