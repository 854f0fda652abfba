#include <QtTest>
#include <memory>

#include "support/screen_fixture.h"
#include "timing/questioner_answerer_countdown.h"

class QuestionerAnswererCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        ScreenFixture f;
        auto screen = std::make_unique<Form18>(f.context);
        QCOMPARE(screen->objectName(), QStringLiteral("Form18"));
    }
};

QTEST_MAIN(QuestionerAnswererCountdownTest)
#include "test_questioner_answerer_countdown.moc"
