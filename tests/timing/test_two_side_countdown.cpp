#include <QtTest>
#include <memory>

#include "support/screen_fixture.h"
#include "timing/two_side_countdown.h"

class TwoSideCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        ScreenFixture f;
        auto screen = std::make_unique<Form6>(f.context);
        QCOMPARE(screen->objectName(), QStringLiteral("Form6"));
    }
};

QTEST_MAIN(TwoSideCountdownTest)
#include "test_two_side_countdown.moc"
