// An axis stands on the objects.
#include "components/plot/objects/kPlanted.h"
