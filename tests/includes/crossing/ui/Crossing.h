// A toolkit header that knows a widget: the include check must name it.
#pragma once

#include "ui/Canvas.h"
#include "widgets/Gauge.h"
