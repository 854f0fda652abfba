#include "foundation/paths.h"
