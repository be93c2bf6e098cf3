// A store that reaches up to the objects.
#include "components/foundation/kPlanted.h"
#include "platform/kPlanted.h"
#include "components/plot/objects/kPlanted.h"  // leaves its floor
