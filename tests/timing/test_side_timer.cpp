#include <QtTest>
#include <memory>

#include "support/screen_fixture.h"
#include "timing/side_timer.h"

class SideTimerTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        ScreenFixture f;
        auto screen = std::make_unique<Form20>(f.context);
        QCOMPARE(screen->objectName(), QStringLiteral("Form20"));
    }
};

QTEST_MAIN(SideTimerTest)
#include "test_side_timer.moc"
