// The same file as the axis's own header, and the plot's component, named from nearby.
#include "kPlanted.h"
#include "../objects/kPlanted.h"
#include "../component/kPlanted.h"  // leaves its floor
#include <vector>
