#include "foundation/profile_store.h"
