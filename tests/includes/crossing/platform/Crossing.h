// A platform header that knows the engine: the include check must name it.
#pragma once

#include "platform/Registry.h"
#include "install/InstallSequence.h"
