// The time and XY rooms stand side by side.
#include "components/plot/channel/kPlanted.h"
#include "components/plot/channel/xy/kPlanted.h"  // leaves its floor
