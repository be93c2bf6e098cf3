// A channel's base does not know its rooms.
#include "components/plot/channel/time/kPlanted.h"  // leaves its floor
