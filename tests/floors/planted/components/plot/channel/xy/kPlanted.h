#include "components/plot/channel/kPlanted.h"
