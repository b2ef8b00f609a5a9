// Compiled with the toolkit library's include folders only: its own headers are found, the
// widgets' are out of reach.
#include "ui/Canvas.h"
#include "widgets/Gauge.h"
