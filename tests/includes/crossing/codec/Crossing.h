// A codec header that knows the platform: the include check must name it.
#pragma once

#include "codec/Lzma.h"
#include "platform/Exceptions.h"
