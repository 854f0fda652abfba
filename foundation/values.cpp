#include "foundation/values.h"
