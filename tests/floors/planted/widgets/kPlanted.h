// The widgets stand on the platform alone.
#include "platform/kPlanted.h"
#include "components/foundation/kPlanted.h"  // leaves its floor
