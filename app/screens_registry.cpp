#include "app/screens_registry.h"

#include "app/screen_navigator.h"
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

}  // namespace

void RegisterScreens(ScreenNavigator& navigator) {
    navigator.Register(ScreenId::Main, Make<Form4>());
    navigator.Register(ScreenId::Transition, Make<Form15>());
    navigator.Register(ScreenId::SingleCountdown, Make<Form17>());
    navigator.Register(ScreenId::TwoSide, Make<Form6>());
    navigator.Register(ScreenId::QuestionAnswer, Make<Form5>());
    navigator.Register(ScreenId::QuestionerAnswerer, Make<Form18>());
    navigator.Register(ScreenId::PerSpeech, Make<Form22>());
    navigator.Register(ScreenId::AudienceQuestion, Make<Form20>());
    navigator.Register(ScreenId::Commentary, Make<Form9>());
    navigator.Register(ScreenId::Announcement, Make<Form11>());
    navigator.Register(ScreenId::Ceremony, Make<Form8>());
    navigator.Register(ScreenId::Report, Make<Form12>());
    navigator.Register(ScreenId::ScoreEntry, Make<Form16>());
    navigator.Register(ScreenId::SettingsHome, Make<Form13>());
    navigator.Register(ScreenId::About, Make<Form21>());
    navigator.Register(ScreenId::Developer, Make<Form19>());
    navigator.Register(ScreenId::BasicInfoPage, Make<Form2>());
    navigator.Register(ScreenId::MainBackgroundPage, Make<Form7>());
    navigator.Register(ScreenId::OtherSegmentsPage, Make<Form10>());
    navigator.Register(ScreenId::SegmentPage, Make<Form3>());
}
