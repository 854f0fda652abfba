#include "screens/settings/settings_home.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>

#include "foundation/foundation.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/back_to_main.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "screens/settings/setup_transfer.h"

namespace {

const QString kHtmlFolder = QStringLiteral("\\html\\");

// A rich-text panel that shows a page and nothing beyond it: no scripts run (it has none), no
// resource is fetched from anywhere but local files, and a link does not navigate.
class LocalPagePanel : public QTextBrowser {
  public:
    explicit LocalPagePanel(QWidget* parent) : QTextBrowser(parent) {
        setOpenLinks(false);
        setOpenExternalLinks(false);
    }

  protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (!name.isLocalFile() && !name.isRelative()) {
            return {};
        }
        return QTextBrowser::loadResource(type, name);
    }
};

// The text of an HTML file in the charset it declares; GBK where it declares none it can keep.
QString HtmlOf(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (decoder.isValid()) {
        const QString text = decoder.decode(bytes);
        if (!decoder.hasError()) {
            return text;
        }
    }
    return FromGbk(bytes);
}

}  // namespace

Form13::Form13(const AppContext& context, QWidget* parent)
    : WizardWindow(context, screenObjectName(ScreenId::SettingsHome), parent),
      backToMain_(new BackToMain(this, context.navigator)) {
    buildControls();
    connectControls();
    open();
}

void Form13::buildControls() {
    Label1 = new QLabel(QStringLiteral("更换设置界面主题"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    PlaceInTwips(Label1, 480, 420, 1920, 300);
    C1 = new QComboBox(this);
    C1->setObjectName(QStringLiteral("C1"));
    // Its text is whatever the profile holds, even a value that is not one of its items.
    C1->setEditable(true);
    C1->lineEdit()->setReadOnly(true);
    for (int n = 1; n <= 4; ++n) {
        C1->addItem(QStringLiteral("Theme-%1").arg(n));
    }
    C1->setEditText(QStringLiteral("请选择主题"));
    C1->setToolTip(QStringLiteral("此处更换设置界面的主题"));
    C1->setCursor(Qt::PointingHandCursor);
    PlaceInTwips(C1, 2460, 360, 1800, 360);
    Label1->setBuddy(C1);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceInTwips(Label2, 6720, 420, 4800, 300);

    WebBrowser2 = new LocalPagePanel(this);
    WebBrowser2->setObjectName(QStringLiteral("WebBrowser2"));
    WebBrowser2->setAccessibleName(QStringLiteral("公告"));
    PlaceInTwips(WebBrowser2, 480, 900, 11040, 6540);
    WebBrowser1 = context().platform->NewPageFetcher(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));

    Ver_info = new QLabel(this);
    Ver_info->setObjectName(QStringLiteral("Ver_info"));
    PlaceInTwips(Ver_info, 480, 7560, 5160, 360);

    const auto button = [this](const QString& name, const QString& caption, int left,
                               int top = 8160, int width = 2000) {
        QPushButton* made = NewButton(this, name, caption);
        PlaceInTwips(made, left, top, width, 420);
        return made;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("下载最新版本"), 480);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("关于该软件"), 2740);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("开发者信息"), 5000);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("下一步>>"), 7260);
    Command5 = button(QStringLiteral("Command5"), QStringLiteral("返回主界面"), 9520);

    // Beside the version line, which needs half the width.
    ExportSetup =
        button(QStringLiteral("ExportSetup"), QStringLiteral("导出比赛方案…"), 5760, 7530, 1860);
    ImportSetup =
        button(QStringLiteral("ImportSetup"), QStringLiteral("导入比赛方案…"), 7710, 7530, 1860);
    UndoImport =
        button(QStringLiteral("UndoImport"), QStringLiteral("撤销上次导入"), 9660, 7530, 1860);
}

void Form13::connectControls() {
    connect(C1, &QComboBox::activated, this, &Form13::chooseTheme);
    connect(WebBrowser1, &PageFetcher::fetched, this, &Form13::noticePageCompleted);
    connect(Command1, &QPushButton::clicked, this, &Form13::download);
    connect(Command2, &QPushButton::clicked, this,
            [this] { context().navigator->OpenOver(this, ScreenId::About); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { context().navigator->OpenOver(this, ScreenId::Developer); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { context().navigator->SetAside(this, ScreenId::BasicInfoPage); });
    connect(Command5, &QPushButton::clicked, backToMain_, &BackToMain::now);
    auto* setups = new SetupTransfer(context(), this);
    connect(ExportSetup, &QPushButton::clicked, setups, &SetupTransfer::exportSetup);
    connect(ImportSetup, &QPushButton::clicked, setups, &SetupTransfer::importSetup);
    connect(UndoImport, &QPushButton::clicked, setups, &SetupTransfer::undoLastImport);
    // Offered only while there is an import to undo.
    const auto offerUndo = [this, setups] {
        UndoImport->setEnabled(setups->canUndo());
        UndoImport->setToolTip(UndoImport->isEnabled() ? QString() : kNothingToUndo);
    };
    connect(setups, &SetupTransfer::finished, this, offerUndo);
    offerUndo();
}

void Form13::open() {
    setWindowTitle(kProgramTitle);
    showLocalPage(QStringLiteral("loading.html"));
    Command1->setEnabled(false);
    Label2->setText(QStringLiteral("主程序版本：") + kVersionText);
    Ver_info->setText(kVersionChecking);
    noticeAddress_ = ReadProfileString(AppPath(context().appDir, kUpdateProfile), kConfigSection,
                                       kNoticeAddressKey);
    if (!context().platform->Online()) {
        showLocalPage(QStringLiteral("error.html"));
    } else {
        // Asynchronous: the home stays usable while the page comes, or does not.
        WebBrowser1->fetch(noticeAddress_);
    }
    showStoredTheme();
}

void Form13::showLocalPage(const QString& name) {
    QFile page(AppPath(context().appDir, kHtmlFolder + name));
    if (!page.open(QIODevice::ReadOnly)) {
        return;
    }
    WebBrowser2->setHtml(HtmlOf(page.readAll()));
}

void Form13::noticePageCompleted(const QString& bodyText) {
    const QString source =
        TextBetween(bodyText, NoticeMarker::SourceStart, NoticeMarker::SourceEnd);
    if (source.isEmpty()) {
        showLocalPage(QStringLiteral("timeout.html"));
    } else {
        SaveFileAtomically(AppPath(context().appDir, kHtmlFolder + QStringLiteral("notice.html")),
                           ToGbk(source + QStringLiteral("\r\n")));
        showLocalPage(QStringLiteral("notice.html"));
    }
    const QString newest = TextBetween(bodyText, NoticeMarker::Version, NoticeMarker::Date);
    const QString date = TextBetween(bodyText, NoticeMarker::Date, NoticeMarker::Download);
    downloadAddress_ = TextBetween(bodyText, NoticeMarker::Download, NoticeMarker::Site);
    // Compared as texts: any other text, an older number too, is a version to download.
    if (newest.isEmpty()) {
        Ver_info->setText(kVersionUnknown);
        Command1->setEnabled(false);
    } else if (newest == kVersionText) {
        Ver_info->setText(kVersionCurrent);
        Command1->setEnabled(false);
    } else {
        Ver_info->setText(QStringLiteral("发现新版本：") + newest + QStringLiteral("（更新时间：") +
                          date + QStringLiteral("）"));
        Command1->setEnabled(true);
    }
}

void Form13::chooseTheme() {
    if (!writeAtOnce(kThemeProfile, kConfigSection, kThemeKey, C1->currentText())) {
        showStoredTheme();  // not kept: the box and the picture stay with the stored theme
        return;
    }
    loadTheme();
}

void Form13::showStoredTheme() {
    C1->setEditText(
        ReadProfileString(AppPath(context().appDir, kThemeProfile), kConfigSection, kThemeKey));
    loadTheme();
}

void Form13::download() {
    // The address comes from the network: only a web address goes to the desktop, never a
    // local file or a program.
    if (!WebAddress(downloadAddress_) ||
        !context().platform->Desktop().Open(downloadAddress_.trimmed())) {
        context().platform->Messages().Show(kDownloadFailed, kDownloadFailedTitle,
                                            MessageIcon::Critical);
    }
}
