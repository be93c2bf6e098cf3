// The platform's private headers are named alone.
#include "PrivatePlanted.h"
