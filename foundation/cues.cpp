#include "foundation/cues.h"
