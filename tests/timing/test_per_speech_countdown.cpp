#include <QtTest>
#include <memory>

#include "support/screen_fixture.h"
#include "timing/per_speech_countdown.h"

class PerSpeechCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        ScreenFixture f;
        auto screen = std::make_unique<Form22>(f.context);
        QCOMPARE(screen->objectName(), QStringLiteral("Form22"));
    }
};

QTEST_MAIN(PerSpeechCountdownTest)
#include "test_per_speech_countdown.moc"
