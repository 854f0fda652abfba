// Draws the style illustrations of the segment settings page from the real clock screens:
// each style's screen is opened on a sample segment, run to a moment that shows what is
// particular to it, and rendered offscreen without its buttons. "0.jpg" puts all five side by
// side for the page before a style is chosen.
//
//   render_help_images <data folder> <output folder>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>

#include "foundation/foundation.h"
#include "foundation/platform/fakes/fake_platform.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/single_countdown.h"
#include "timing/two_side_countdown.h"
#include "tools/dev_support/copy_tree.h"
#include "tools/dev_support/no_navigator.h"

namespace {

const QSize kRendered(1200, 900);
const QSize kIllustration(400, 300);

void Press(QWidget* screen, Qt::MouseButton button) {
    QWidget* target = screen->findChild<QWidget*>(QStringLiteral("Image1"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10),
                      target->mapToGlobal(QPointF(10, 10)), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void Tick(QWidget* screen, const QString& ticker, int times) {
    if (auto* timer = screen->findChild<SecondTicker*>(ticker)) {
        for (int i = 0; i < times; ++i) {
            timer->fire();
        }
    }
}

void Click(QWidget* screen, const QString& button) {
    if (auto* found = screen->findChild<QPushButton*>(button)) {
        found->click();
    }
}

struct Style {
    int segment;  // a sample segment of this style
    QString caption;
    std::function<QWidget*(const AppContext&)> open;
    std::function<void(QWidget*)> run;  // brings the screen to the moment shown
};

QList<Style> Styles() {
    return {
        {1, QStringLiteral("单一倒计时"), [](const AppContext& c) { return new Form17(c); },
         [](QWidget* s) {
             Click(s, "Command3");
             Tick(s, "Timer1", 155);  // past the warning point
         }},
        {3, QStringLiteral("正反双方倒计时"), [](const AppContext& c) { return new Form6(c); },
         [](QWidget* s) {
             Press(s, Qt::LeftButton);
             Tick(s, "Timer1", 47);
             Press(s, Qt::RightButton);
             Tick(s, "Timer2", 105);  // the negative side in its warning time
         }},
        {5, QStringLiteral("提问与回答倒计时"), [](const AppContext& c) { return new Form5(c); },
         [](QWidget* s) {
             Press(s, Qt::LeftButton);
             Tick(s, "Timer1", 12);
             Tick(s, "Timer3", 12);
             Press(s, Qt::RightButton);
             Tick(s, "Timer1", 9);
             Tick(s, "Timer4", 9);
         }},
        {4, QStringLiteral("提问方 / 回答方倒计时"),
         [](const AppContext& c) { return new Form18(c); },
         [](QWidget* s) {
             Press(s, Qt::LeftButton);
             Tick(s, "Timer3", 38);
             Press(s, Qt::RightButton);
             Tick(s, "Timer4", 21);
         }},
        {6, QStringLiteral("每次发言限时倒计时"), [](const AppContext& c) { return new Form22(c); },
         [](QWidget* s) {
             Press(s, Qt::LeftButton);
             Tick(s, "Timer1", 64);
             Tick(s, "Timer2", 64);
             Press(s, Qt::LeftButton);
             Tick(s, "Timer1", 11);
             Tick(s, "Timer2", 11);
         }},
    };
}

QImage Render(const AppContext& context, const Style& style) {
    CopySegmentToActive(context.appDir, style.segment);
    std::unique_ptr<QWidget> screen(style.open(context));
    screen->resize(kRendered);
    style.run(screen.get());
    for (QPushButton* button : screen->findChildren<QPushButton*>()) {
        button->hide();
    }
    return screen->grab().toImage().scaled(kIllustration, Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
}

// The five illustrations in a row of three over a row of two, each over its style's name, and
// a line that asks for a choice.
QImage Overview(const QList<QImage>& pictures, const QList<Style>& styles) {
    QImage overview(kIllustration, QImage::Format_RGB32);
    overview.fill(QColor(24, 28, 44));
    QPainter painter(&overview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(11);
    painter.setFont(font);
    const int w = 120, h = 90, gap = 10;
    for (int i = 0; i < pictures.size(); ++i) {
        const int row = i / 3, column = i % 3;
        const int inRow = row == 0 ? 3 : int(pictures.size()) - 3;
        const int left = (kIllustration.width() - inRow * w - (inRow - 1) * gap) / 2;
        const QRect box(left + column * (w + gap), 10 + row * (h + 34), w, h);
        painter.drawImage(box, pictures[i]);
        painter.setPen(QColor(90, 110, 160));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QColor(240, 220, 160));
        painter.drawText(QRect(box.left() - gap / 2, box.bottom() + 3, w + gap, 28),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("Mode-%1\n%2").arg(i + 1).arg(styles[i].caption));
    }
    font.setPixelSize(13);
    painter.setFont(font);
    painter.drawText(QRect(0, kIllustration.height() - 30, kIllustration.width(), 24),
                     Qt::AlignCenter, QStringLiteral("请在“计时样式”中选择一种样式"));
    return overview;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_help_images <data folder> <output folder>\n");
        return 2;
    }
    // Rendered the same on any machine, with or without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir dir;
    CopyTree(QString::fromLocal8Bit(argv[1]), dir.path());
    FakePlatform platform;
    NoNavigator navigator;
    SetupApplying setupApplying;
    const AppContext context{dir.path(), &platform, &navigator, &setupApplying};
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    const QList<Style> styles = Styles();
    QList<QImage> pictures;
    for (int i = 0; i < styles.size(); ++i) {
        pictures.append(Render(context, styles[i]));
        pictures.last().save(QStringLiteral("%1/%2.jpg").arg(out).arg(i + 1), "JPG", 88);
    }
    Overview(pictures, styles).save(out + QStringLiteral("/0.jpg"), "JPG", 88);
    return 0;
}
