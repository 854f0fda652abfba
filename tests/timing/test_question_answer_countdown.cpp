#include <QtTest>
#include <memory>

#include "support/screen_fixture.h"
#include "timing/question_answer_countdown.h"

class QuestionAnswerCountdownTest : public QObject {
    Q_OBJECT

  private slots:
    void opens() {
        ScreenFixture f;
        auto screen = std::make_unique<Form5>(f.context);
        QCOMPARE(screen->objectName(), QStringLiteral("Form5"));
    }
};

QTEST_MAIN(QuestionAnswerCountdownTest)
#include "test_question_answer_countdown.moc"
