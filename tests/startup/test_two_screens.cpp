// A laptop with a projector: the audience's full-window screens open on the projector, every
// other window on the operator's screen, and the navigator says which audience screen is up.
// Runs on an offscreen platform with two screens.

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>

#include "foundation/screen_roles.h"
#include "screen_navigator.h"
#include "support/screen_fixture.h"

namespace {

// The laptop's own screen and the projector to its right. The offscreen platform orders its
// screens by name and makes the first the primary: the laptop's.
constexpr char kTwoScreens[] = R"({"screens": [
    {"name": "LVDS-1", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96},
    {"name": "VGA-1", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})";

struct TwoScreenNavigator : ScreenFixture {
    ScreenNavigator navigator{context};
    QList<QPointer<QWidget>> built;

    TwoScreenNavigator() {
        const auto audience = [this](const QString& name) {
            return [this, name](AppContext&) -> QWidget* {
                auto* screen = new FullScreenWindow(QSize(12000, 9000));
                screen->setObjectName(name);
                built.append(screen);
                return screen;
            };
        };
        navigator.Register(ScreenId::Main, audience("Form4"));
        navigator.Register(ScreenId::TwoSide, audience("Form6"));
        navigator.Register(ScreenId::Report, [this](AppContext&) {
            auto* report = new QWidget;
            report->setObjectName("Form12");
            report->resize(600, 400);
            built.append(report);
            return report;
        });
    }
    ~TwoScreenNavigator() { qDeleteAll(built); }

    QWidget* shown(const QString& name) const {
        for (QWidget* screen : built) {
            if (screen && screen->objectName() == name && screen->isVisible()) {
                return screen;
            }
        }
        return nullptr;
    }
};

QScreen* Named(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) {
            return screen;
        }
    }
    return nullptr;
}

}  // namespace

class TwoScreensTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::primaryScreen()->name(), QStringLiteral("LVDS-1"));
    }

    void audienceOnTheProjectorOperatorWindowsOnTheLaptop_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("projector");
        QTest::addColumn<QString>("operatorScreen");
        QTest::newRow("none stored") << ""
                                     << "VGA-1"
                                     << "LVDS-1";
        QTest::newRow("a stored screen") << "VGA-1"
                                         << "VGA-1"
                                         << "LVDS-1";
        QTest::newRow("an absent screen") << "HDMI-9"
                                          << "VGA-1"
                                          << "LVDS-1";
        QTest::newRow("the laptop's own screen chosen") << "LVDS-1"
                                                        << "LVDS-1"
                                                        << "VGA-1";
    }
    void audienceOnTheProjectorOperatorWindowsOnTheLaptop() {
        QFETCH(QString, stored);
        QFETCH(QString, projector);
        QFETCH(QString, operatorScreen);
        TwoScreenNavigator t;
        if (!stored.isEmpty()) {
            t.setProfile(kDisplayProfile, kProjectorScreenKey, stored);
        }
        QCOMPARE(t.navigator.projectorScreen(), Named(projector));
        QCOMPARE(t.navigator.operatorScreen(), Named(operatorScreen));

        t.navigator.ShowMain();
        QWidget* main = t.shown("Form4");
        QVERIFY(main);
        t.navigator.OpenOver(main, ScreenId::Report);
        t.navigator.Replace(main, ScreenId::TwoSide);
        QWidget* clock = t.shown("Form6");
        QWidget* report = t.shown("Form12");
        QVERIFY(clock && report);

        for (QWidget* audience : {main, clock}) {
            QCOMPARE(audience->screen(), Named(projector));
            QCOMPARE(audience->geometry(), Named(projector)->geometry());
        }
        QCOMPARE(report->screen(), Named(operatorScreen));
        QVERIFY(Named(operatorScreen)->geometry().contains(report->geometry()));
    }

    void navigatorSaysWhichAudienceScreenIsUp() {
        TwoScreenNavigator t;
        QSignalSpy changes(&t.navigator, &ScreenNavigator::audienceScreenChanged);
        t.navigator.ShowMain();
        QWidget* main = t.shown("Form4");
        QCOMPARE(t.navigator.audienceScreen(), main);

        t.navigator.OpenOver(main, ScreenId::Report);  // not an audience screen
        QCOMPARE(t.navigator.audienceScreen(), main);
        t.navigator.Replace(main, ScreenId::TwoSide);
        QWidget* clock = t.shown("Form6");
        QCOMPARE(t.navigator.audienceScreen(), clock);

        t.navigator.Replace(clock, ScreenId::Main);
        QCOMPARE(t.navigator.audienceScreen(), t.shown("Form4"));
        QCOMPARE(changes.count(), 3);
        QCOMPARE(changes.last().first().value<FullScreenWindow*>(), t.shown("Form4"));
    }
};

int main(int argc, char** argv) {
    QTemporaryFile config;
    if (!config.open() || config.write(kTwoScreens) < 0) {
        return 2;
    }
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TwoScreensTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_two_screens.moc"
