// The plot control stands on every concept below it.
#include "components/plot/axis/kPlanted.h"
#include "components/plot/channel/xy/kPlanted.h"
