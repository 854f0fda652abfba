#include "screens_registry.h"

#include "screen_navigator.h"

void RegisterScreens(ScreenNavigator& navigator) {
    (void)navigator;
}
