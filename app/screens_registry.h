#pragma once

class ScreenNavigator;

// Tells the navigator how to build each screen the program has.
void RegisterScreens(ScreenNavigator& navigator);
