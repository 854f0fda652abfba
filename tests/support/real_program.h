#pragma once
// The real program over the fake platform: the sample debate, every screen registered with the
// real navigator, the main screen up. "驳论" (segment 3) goes straight to its two-side clock.

#include "foundation/segment_profile.h"
#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "support/screen_fixture.h"

struct RealProgram : ScreenFixture {
    ScreenNavigator navigator{context};

    RealProgram() {
        context.navigator = &navigator;
        useShippedData();
        WriteProfileString(SegmentProfilePath(dir.path(), 3), kConfigSection,
                           QStringLiteral("使用过场图片"), "0");
        RegisterScreens(navigator);
        navigator.ShowMain();
    }
};
