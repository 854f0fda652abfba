#include "foundation/platform/screen_catalogue.h"

#include <algorithm>

namespace {

CataloguedScreen Audience(ScreenId id, const char* name, const QString& title) {
    return {id, QLatin1String(name), title, true, false, std::nullopt};
}

CataloguedScreen SideTimer(ScreenId id, const char* name, const QString& title) {
    return {id, QLatin1String(name), title, true, true, std::nullopt};
}

CataloguedScreen TimingStyleClock(ScreenId id, const char* name, TimingStyle style) {
    return {id, QLatin1String(name), {}, true, true, style};
}

CataloguedScreen OperatorWindow(ScreenId id, const char* name) {
    return {id, QLatin1String(name), {}, false, false, std::nullopt};
}

}  // namespace

const QList<CataloguedScreen>& screenCatalogue() {
    static const QList<CataloguedScreen> screens = {
        Audience(ScreenId::Main, "Form4", QStringLiteral("主界面")),
        Audience(ScreenId::Transition, "Form15", QStringLiteral("过场画面")),
        TimingStyleClock(ScreenId::SingleCountdown, "Form17", TimingStyle::Single),
        TimingStyleClock(ScreenId::TwoSide, "Form6", TimingStyle::TwoSide),
        TimingStyleClock(ScreenId::QuestionAnswer, "Form5", TimingStyle::QuestionAnswer),
        TimingStyleClock(ScreenId::QuestionerAnswerer, "Form18", TimingStyle::QuestionerAnswerer),
        TimingStyleClock(ScreenId::PerSpeech, "Form22", TimingStyle::PerSpeech),
        SideTimer(ScreenId::AudienceQuestion, "Form20", QStringLiteral("观众提问")),
        SideTimer(ScreenId::Commentary, "Form9", QStringLiteral("嘉宾点评")),
        OperatorWindow(ScreenId::ScoreEntry, "Form16"),
        Audience(ScreenId::Announcement, "Form11", QStringLiteral("比赛结果")),
        Audience(ScreenId::Ceremony, "Form8", QStringLiteral("颁奖仪式")),
        OperatorWindow(ScreenId::Report, "Form12"),
        OperatorWindow(ScreenId::SettingsHome, "Form13"),
        OperatorWindow(ScreenId::BasicInfoPage, "Form2"),       // settings 4-1
        OperatorWindow(ScreenId::MainBackgroundPage, "Form7"),  // settings 4-2
        OperatorWindow(ScreenId::SegmentPage, "Form3"),         // settings 4-3
        OperatorWindow(ScreenId::OtherSegmentsPage, "Form10"),  // settings 4-4
        OperatorWindow(ScreenId::About, "Form21"),
        OperatorWindow(ScreenId::Developer, "Form19"),
    };
    return screens;
}

const CataloguedScreen& cataloguedScreen(ScreenId id) {
    const QList<CataloguedScreen>& screens = screenCatalogue();
    return *std::find_if(screens.begin(), screens.end(),
                         [id](const CataloguedScreen& screen) { return screen.id == id; });
}

const CataloguedScreen* cataloguedScreenNamed(const QString& objectName) {
    for (const CataloguedScreen& screen : screenCatalogue()) {
        if (screen.objectName == objectName) {
            return &screen;
        }
    }
    return nullptr;
}

ScreenId ClockScreenOf(TimingStyle style) {
    const QList<CataloguedScreen>& screens = screenCatalogue();
    return std::find_if(screens.begin(), screens.end(),
                        [style](const CataloguedScreen& screen) { return screen.style == style; })
        ->id;
}
