#include "app/screens_registry.h"

#include "app/screen_navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "screens/main/main_screen.h"
#include "screens/results/award_ceremony.h"
#include "screens/results/match_report_screen.h"
#include "screens/results/result_announcement.h"
#include "screens/results/score_entry.h"
#include "screens/settings/basic_info_page.h"
#include "screens/settings/main_background_page.h"
#include "screens/settings/other_segments_page.h"
#include "screens/settings/segment_page.h"
#include "screens/settings/settings_home.h"
#include "screens/startup/about_screen.h"
#include "screens/startup/developer_screen.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/side_timer.h"
#include "timing/single_countdown.h"
#include "timing/transition_screen.h"
#include "timing/two_side_countdown.h"

namespace {

template <typename Screen>
ScreenNavigator::Factory Make() {
    return [](AppContext& context) -> QWidget* { return new Screen(context); };
}

ScreenNavigator::Factory FactoryOf(ScreenId id) {
    switch (id) {
        case ScreenId::Main:
            return Make<Form4>();
        case ScreenId::Transition:
            return Make<Form15>();
        case ScreenId::SingleCountdown:
            return Make<Form17>();
        case ScreenId::TwoSide:
            return Make<Form6>();
        case ScreenId::QuestionAnswer:
            return Make<Form5>();
        case ScreenId::QuestionerAnswerer:
            return Make<Form18>();
        case ScreenId::PerSpeech:
            return Make<Form22>();
        case ScreenId::AudienceQuestion:
            return Make<Form20>();
        case ScreenId::Commentary:
            return Make<Form9>();
        case ScreenId::ScoreEntry:
            return Make<Form16>();
        case ScreenId::Announcement:
            return Make<Form11>();
        case ScreenId::Ceremony:
            return Make<Form8>();
        case ScreenId::Report:
            return Make<Form12>();
        case ScreenId::SettingsHome:
            return Make<Form13>();
        case ScreenId::BasicInfoPage:
            return Make<Form2>();
        case ScreenId::MainBackgroundPage:
            return Make<Form7>();
        case ScreenId::SegmentPage:
            return Make<Form3>();
        case ScreenId::OtherSegmentsPage:
            return Make<Form10>();
        case ScreenId::About:
            return Make<Form21>();
        case ScreenId::Developer:
            return Make<Form19>();
    }
    return {};  // unreachable: every screen is listed above
}

}  // namespace

// Every catalogued screen, each built as its class, which names its window as catalogued.
void RegisterScreens(ScreenNavigator& navigator) {
    for (const CataloguedScreen& screen : screenCatalogue()) {
        navigator.Register(screen.id, FactoryOf(screen.id));
    }
}
