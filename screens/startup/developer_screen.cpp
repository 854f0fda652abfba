#include "screens/startup/developer_screen.h"

#include <QLabel>
#include <QMouseEvent>

#include "foundation/platform/colours.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"

namespace {

constexpr quint32 kBlack = 0;
constexpr quint32 kRed = 255;
constexpr quint32 kBlue = 16711680;

const QString kQtSite = QStringLiteral("https://www.qt.io/");
const QString kDebianSite = QStringLiteral("https://www.debian.org/");

}  // namespace

Form19::Form19(AppContext& context, QWidget* parent)
    : InformationWindow(context, screenObjectName(ScreenId::Developer), {7200, 4920}, parent) {
    SetBackgroundColour(this, QColor(0xee, 0xf4, 0xf8));
    setMouseTracking(true);

    Label1 = new QLabel(QStringLiteral("作者信息"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading(QStringLiteral("宋体"));
    heading.setPointSizeF(14.25);
    heading.setBold(true);
    Label1->setFont(heading);
    SetTextColour(Label1, QColor(0x2b, 0x6a, 0x8c));
    PlaceInTwips(Label1, 480, 300, 6240, 450);

    const QStringList lines{
        QStringLiteral("软件名称：debaclock 辩论赛计时系统"),
        QStringLiteral("界面框架：Qt 6 跨平台应用框架  https://www.qt.io/"),
        QStringLiteral("用    途：辩论比赛的环节计时、计分与结果展示"),
        QStringLiteral("编写语言：C++20，以 CMake 与 Ninja 构建"),
        QStringLiteral("运行平台：Linux 桌面，投影到比赛会场"),
        QStringLiteral("运行系统：Debian 12 操作系统  https://www.debian.org/"),
        QStringLiteral("配置文件：程序文件夹下 config 中的 INI 文件（GBK 编码）"),
    };
    QList<QLabel**> members{&Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8};
    QFont detail(QStringLiteral("宋体"));
    detail.setPointSizeF(10.5);
    for (int i = 0; i < members.size(); ++i) {
        auto* line = new QLabel(lines[i], this);
        line->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        line->setFont(detail);
        SetTextColour(line, ColourFromValue(kBlack));
        PlaceInTwips(line, 480, 1020 + 480 * i, 6240, 360);
        // Hover highlights need moves without a button held.
        line->setMouseTracking(true);
        line->installEventFilter(this);
        *members[i] = line;
    }
    links_ = {{Label3, kQtSite}, {Label7, kDebianSite}};
    for (const auto& [line, address] : links_) {
        line->setToolTip(kLinkToolTip);
        line->setCursor(Qt::PointingHandCursor);
    }
}

QList<QLabel*> Form19::details() const {
    return {Label2, Label3, Label4, Label5, Label6, Label7, Label8};
}

void Form19::highlight(QLabel* line) {
    for (QLabel* other : details()) {
        SetTextColour(other, ColourFromValue(kBlack));
    }
    if (!line) {
        return;
    }
    const bool isLink = line == Label3 || line == Label7;
    SetTextColour(line, ColourFromValue(isLink ? kBlue : kRed));
}

bool Form19::eventFilter(QObject* watched, QEvent* event) {
    auto* line = qobject_cast<QLabel*>(watched);
    if (!line || !details().contains(line)) {
        return InformationWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseMove) {
        highlight(line);
        // Handled here: passed on, the window's own move would put the line back to black.
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            line->rect().contains(release->position().toPoint())) {
            for (const auto& [link, address] : links_) {
                if (link == line) {
                    context_.platform->Desktop().Open(address);
                }
            }
        }
    }
    return InformationWindow::eventFilter(watched, event);
}

void Form19::mouseMoveEvent(QMouseEvent* event) {
    highlight(nullptr);
    InformationWindow::mouseMoveEvent(event);
}
