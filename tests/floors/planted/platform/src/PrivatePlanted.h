#include "widgets/kPlanted.h"  // leaves its floor
