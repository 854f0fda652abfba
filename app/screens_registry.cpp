#include "screens_registry.h"

#include "screen_navigator.h"
#include "screens/main/main_screen.h"
#include "timing/single_countdown.h"
#include "timing/transition_screen.h"

namespace {

template <typename Screen>
ScreenNavigator::Factory Make() {
    return [](AppContext& context) -> QWidget* { return new Screen(context); };
}

}  // namespace

void RegisterScreens(ScreenNavigator& navigator) {
    navigator.Register(ScreenId::Main, Make<Form4>());
    navigator.Register(ScreenId::Transition, Make<Form15>());
    navigator.Register(ScreenId::SingleCountdown, Make<Form17>());
}
