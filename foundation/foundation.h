#pragma once
// Everything the foundation library declares: profile store, folders, values, segment keys,
// cues and clock text.

#include "foundation/clock_format.h"
#include "foundation/cues.h"
#include "foundation/file_names.h"
#include "foundation/gbk.h"
#include "foundation/ini_text.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/side_segment_profile.h"
#include "foundation/values.h"
