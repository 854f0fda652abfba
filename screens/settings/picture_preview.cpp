#include "screens/settings/picture_preview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"

namespace {

const QStringList kReasons{
    QStringLiteral("1.您还未选择任何软件支持的图片文件"),
    QStringLiteral("2.您所选的图片文件已经损坏"),
    QStringLiteral("    排除以上两种情况，可以尝试压缩"),
    QStringLiteral("一下图片后导入试试。"),
};

QLabel* NoticeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

Form14::Form14(const QString& appDir, QWidget* page)
    // A tool window of the page: it never takes the keyboard from the page, and goes with it.
    : QWidget(page, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("Form14"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(SizeFromTwips(4005, 3000));
    SetBackgroundColour(this, Qt::white);

    Image1 = new StretchedPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    PlaceInTwips(Image1, 0, 0, 4000, 3000);

    Label1 = NoticeLabel(this, QStringLiteral("Label1_0"), QStringLiteral("图片预览"));
    PlaceInTwips(Label1, 120, 90, 1800, 270);
    Label2 = NoticeLabel(this, QStringLiteral("Label2"), QStringLiteral("无法生成预览！"));
    QFont heading = font();
    heading.setBold(true);
    heading.setPointSizeF(12);
    Label2->setFont(heading);
    PlaceInTwips(Label2, 360, 720, 3300, 360);
    for (int i = 0; i < kReasons.size(); ++i) {
        QLabel* reason = NoticeLabel(this, QStringLiteral("Label3_%1").arg(i), kReasons[i]);
        PlaceInTwips(reason, 360, 1260 + i * 330, 3500, 270);
        Label3 << reason;
    }

    const bool none =
        ReadProfileString(AppPath(appDir, kPreviewProfile), kConfigSection, kPreviewKey).isEmpty();
    Label2->setVisible(none);
    for (QLabel* reason : Label3) {
        reason->setVisible(none);
    }
}

bool Form14::noticeShown() const {
    return !Label2->isHidden();
}

PicturePreview::PicturePreview(const AppContext& context, QWidget* page)
    : QObject(page), context_(context), page_(page) {}

PicturePreview::~PicturePreview() {
    delete form14_;
}

void PicturePreview::ShowPicturePreview(const QString& profile, const QString& section,
                                        const QString& key, const QString& folder, QWidget* box) {
    const QString name = profile.isEmpty()
                             ? QString()
                             : ReadProfileString(AppPath(context_.appDir, profile), section, key);
    WriteProfileString(AppPath(context_.appDir, kPreviewProfile), kConfigSection, kPreviewKey,
                       name);
    if (!form14_) {
        form14_ = new Form14(context_.appDir, page_);
    }
    if (const QString path = StoredFilePath(context_.appDir, folder, name); !path.isEmpty()) {
        form14_->Image1->load(path);
    }

    // Just below the box, kept on the box's screen.
    QPoint at = box->mapToGlobal(QPoint(0, box->height() + 4));
    if (const QScreen* screen = box->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + form14_->height() > area.bottom()) {
            at.setY(box->mapToGlobal(QPoint(0, 0)).y() - form14_->height() - 4);
        }
        at.setX(std::clamp(at.x(), area.left(), area.right() - form14_->width()));
    }
    form14_->move(at);
    form14_->show();
}

void PicturePreview::ClosePicturePreview() {
    if (form14_) {
        // Deleted once the event loop comes round; the next hover loads a fresh window.
        form14_->close();
        form14_.clear();
    }
}
