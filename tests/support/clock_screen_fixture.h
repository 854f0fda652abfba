#pragma once
// What every clock-screen test starts from: a program folder holding the default cues, an
// active profile with a known look, one clock screen over it, and helpers that name what the
// operator does, sees and hears.

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/full_screen_window.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"

// The colours the fixture's profile gives, and the fixed ones of the screens.
inline const QColor kWhite = ColourFromValue(16777215);
inline const QColor kYellow = ColourFromValue(65535);
inline const QColor kBack = ColourFromValue(2035466);
inline const QColor kRed = ColourFromValue(255);
inline const QColor kBlack = ColourFromValue(0);
inline const QString kTimeUp = QStringLiteral(" 时间到！");

// What the operator does to a clock screen, by name: "Left" and "Right" are the mouse presses on
// the picture, any other name a click on that button.
inline void OperatorStep(FullScreenWindow* screen, const QString& step) {
    if (step == QLatin1String("Left") || step == QLatin1String("Right")) {
        QTest::mouseClick(screen->picture(),
                          step == QLatin1String("Left") ? Qt::LeftButton : Qt::RightButton);
    } else {
        ScreenFixture::click(screen, step);
    }
}

// One second on every running ticker of `screen`, and what follows from it.
inline void FireRunningTickers(QWidget* screen) {
    for (SecondTicker* ticker : screen->findChildren<SecondTicker*>()) {
        if (ticker->isActive()) {
            ticker->fire();
        }
    }
    QCoreApplication::sendPostedEvents();
}

template <typename Screen>
class ClockScreenFixture : public ScreenFixture {
  public:
    ClockScreenFixture(const QString& format, const QString& limit, const QString& warnPoint) {
        for (const char* folder : {"Warn", "Timeout", "Cs"}) {
            addWave(QStringLiteral("sound/%1/Default.wav").arg(folder));
        }
        set(SegmentKey::Format, format);
        set(SegmentKey::Limit, limit);
        set(SegmentKey::WarnPoint, warnPoint);
        setColours("16777215", "65535", "2035466");
        for (const QString& cue : {SegmentKey::WarnCueChoice, SegmentKey::TimeUpCueChoice,
                                   SegmentKey::OvertimeCueChoice}) {
            set(cue, "Default");
        }
    }

    // Enough of a WAV file for the fake player, which only asks whether the file exists.
    void addWave(const QString& relative) {
        dir.writeBytes(relative, QByteArrayLiteral("RIFF\x04\0\0\0WAVE"));
    }
    // A key of the active profile, which the screens read.
    void set(const QString& key, const QString& value) {
        setProfile(QStringLiteral("\\config\\Timetemp.ini"), key, value);
    }
    // The limits of the turn clocks: one question and one answer, the questioner's and the
    // answerer's, one speech.
    void setTurnLimits(const QString& question, const QString& answer, const QString& questioner,
                       const QString& answerer, const QString& speech) {
        set(SegmentKey::QuestionLimit, question);
        set(SegmentKey::AnswerLimit, answer);
        set(SegmentKey::QuestionerLimit, questioner);
        set(SegmentKey::AnswererLimit, answerer);
        set(SegmentKey::SpeechLimit, speech);
    }
    void setColours(const QString& clock, const QString& warn, const QString& back) {
        set(SegmentKey::ClockColour, clock);
        set(SegmentKey::WarnColour, warn);
        set(SegmentKey::BackColour, back);
    }
    Screen* open() {
        screen = std::make_unique<Screen>(context);
        return screen.get();
    }

    QWidget* at(const QString& name) const { return find(screen.get(), name); }
    void click(const QString& button) { ScreenFixture::click(screen.get(), button); }
    void press(Qt::MouseButton button, const QString& on = QStringLiteral("Image1")) {
        QTest::mouseClick(at(on), button);
    }
    // The pointer moving over the picture, `y` pixels down from the top.
    void hover(int y) {
        const QPoint position(400, y);
        QMouseEvent move(QEvent::MouseMove, position, screen->picture()->mapToGlobal(position),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen->picture(), &move);
    }
    void tick(int times = 1) { tick(QStringLiteral("Timer1"), times); }
    void tick(const QString& timer, int times = 1) {
        ScreenFixture::tick(screen.get(), timer, times);
    }
    // One second for the whole screen: every running ticker fires once, in name order.
    void second(int times = 1) {
        for (int i = 0; i < times; ++i) {
            for (SecondTicker* ticker : tickers()) {
                ticker->fire();
            }
        }
    }

    // The active tickers' names, e.g. "Timer1 Timer3"; empty when all clocks stand.
    QString running() const {
        QStringList names;
        for (const SecondTicker* ticker : tickers()) {
            if (ticker->isActive()) {
                names << ticker->objectName();
            }
        }
        return names.join(' ');
    }
    bool enabled(const QString& name) const { return at(name)->isEnabled(); }
    // The names of the buttons now usable, or now on show, e.g. "Command1 Command3".
    QString enabledButtons() const {
        return buttons([](const QWidget* button) { return button->isEnabled(); });
    }
    QString shownButtons() const {
        return buttons([this](const QWidget* button) { return button->isVisibleTo(screen.get()); });
    }

    QString clock(const QString& label = QStringLiteral("Label2")) const {
        return text(screen.get(), label);
    }
    // Several clocks at once, e.g. "3分00秒|30s|40s".
    QString clocks(const QStringList& labels) const {
        QStringList shown;
        for (const QString& label : labels) {
            shown << clock(label);
        }
        return shown.join('|');
    }
    QColor ink(const QString& label = QStringLiteral("Label2")) const {
        return colour(screen.get(), label);
    }
    QColor back() const { return BackgroundColour(screen.get()); }

    // What was heard, below the sound folder: a default cue by its folder ("Warn", "Timeout",
    // "Cs"), any other file by its path ("timeout/user/bell.wav").
    QStringList cues() const {
        const QString sound = path(QStringLiteral("\\sound")) + '/';
        QStringList heard;
        for (QString file : played()) {
            if (file.startsWith(sound)) {
                file.remove(0, sound.size());
            }
            if (file.endsWith(QStringLiteral("/Default.wav"))) {
                file.chop(QStringLiteral("/Default.wav").size());
            }
            heard << file;
        }
        return heard;
    }

    std::unique_ptr<Screen> screen;

  private:
    QList<SecondTicker*> tickers() const {
        QList<SecondTicker*> all = screen->template findChildren<SecondTicker*>();
        std::sort(all.begin(), all.end(), [](const SecondTicker* a, const SecondTicker* b) {
            return a->objectName() < b->objectName();
        });
        return all;
    }
    template <typename Predicate>
    QString buttons(Predicate state) const {
        QStringList names;
        for (const QAbstractButton* button : screen->template findChildren<QAbstractButton*>()) {
            if (state(button)) {
                names << button->objectName();
            }
        }
        names.sort();
        return names.join(' ');
    }
};
