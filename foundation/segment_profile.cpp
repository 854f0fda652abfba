#include "foundation/segment_profile.h"
