// From outside, the plot is one floor with all its concepts.
#include "components/plot/component/kPlanted.h"
#include "components/plot/channel/time/kPlanted.h"
