#include "foundation/file_names.h"
