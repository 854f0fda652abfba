#include "foundation/ini_text.h"
