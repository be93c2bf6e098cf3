// Objects stand on the store.
#include "components/plot/store/kPlanted.h"
