#include "foundation/gbk.h"
