#pragma once
// The foundation's public functions: profile store, folders, values, profile keys, cues, clock
// text and the program's title and version. The byte-level INI engine stays behind the store.

#include "foundation/clock_format.h"
#include "foundation/cues.h"
#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/gbk.h"
#include "foundation/main_profile.h"
#include "foundation/match_report.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/program.h"
#include "foundation/saved_file.h"
#include "foundation/segment_profile.h"
#include "foundation/settings_profiles.h"
#include "foundation/side_segment_profile.h"
#include "foundation/stored_files.h"
#include "foundation/values.h"
#include "foundation/web_address.h"
