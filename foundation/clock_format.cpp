#include "foundation/clock_format.h"
