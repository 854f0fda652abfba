#include "foundation/widgets/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

namespace {

bool CoversChinese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

// The first of `candidates` that is installed and covers Chinese.
QString FirstChineseFace(const QStringList& candidates) {
    for (const QString& family : candidates) {
        if (QFontDatabase::hasFamily(family) && CoversChinese(family))
            return family;
    }
    return QString();
}

QString FirstInstalled(const QStringList& candidates) {
    for (const QString& family : candidates) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return QString();
}

const QStringList kSansChinese = {
    QStringLiteral("Noto Sans CJK SC"),   QStringLiteral("Source Han Sans SC"),
    QStringLiteral("WenQuanYi Zen Hei"),  QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("Droid Sans Fallback"),
};
const QStringList kSerifChinese = QStringList{
    QStringLiteral("Noto Serif CJK SC"),
    QStringLiteral("Source Han Serif SC"),
    QStringLiteral("AR PL UMing CN"),
} + kSansChinese;
const QStringList kKaiChinese = QStringList{QStringLiteral("AR PL UKai CN")} + kSerifChinese;

const QStringList kSerif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                            QStringLiteral("Nimbus Roman"), QStringLiteral("Noto Serif"),
                            QStringLiteral("FreeSerif")};
const QStringList kSans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                           QStringLiteral("Nimbus Sans"), QStringLiteral("Noto Sans"),
                           QStringLiteral("FreeSans")};
const QStringList kMono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                           QStringLiteral("Nimbus Mono PS"), QStringLiteral("Noto Mono"),
                           QStringLiteral("FreeMono")};

struct DesignFaces {
    QStringList faces;
    const QStringList* chinese;  // Chinese faces to try first, nullptr for Western faces
    const QStringList* western;  // Western faces to try first, nullptr for Chinese faces
};

const DesignFaces kDesignFaces[] = {
    {{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体"),
      QStringLiteral("NSimSun"), QStringLiteral("仿宋"), QStringLiteral("FangSong"),
      QStringLiteral("仿宋_GB2312")},
     &kSerifChinese, nullptr},
    {{QStringLiteral("楷体"), QStringLiteral("KaiTi"), QStringLiteral("楷体_GB2312")},
     &kKaiChinese, nullptr},
    {{QStringLiteral("黑体"), QStringLiteral("SimHei"), QStringLiteral("微软雅黑"),
      QStringLiteral("Microsoft YaHei")},
     &kSansChinese, nullptr},
    {{QStringLiteral("Times New Roman")}, nullptr, &kSerif},
    {{QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
      QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"), QStringLiteral("Verdana")},
     nullptr, &kSans},
    {{QStringLiteral("Courier New")}, nullptr, &kMono},
};

}  // namespace

QString InstalledCjkFace() {
    const QString preferred = FirstChineseFace(kSansChinese);
    if (!preferred.isEmpty())
        return preferred;
    const QStringList any = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return any.isEmpty() ? QString() : any.first();
}

void InstallFontSubstitutions() {
    const QString anyChinese = InstalledCjkFace();
    for (const DesignFaces& group : kDesignFaces) {
        QStringList substitutes;
        if (group.chinese) {
            const QString chinese = FirstChineseFace(*group.chinese);
            substitutes << (chinese.isEmpty() ? anyChinese : chinese);
        } else {
            substitutes << FirstInstalled(*group.western) << anyChinese;
        }
        substitutes.removeAll(QString());
        substitutes.removeDuplicates();
        for (const QString& face : group.faces) {
            if (QFontDatabase::hasFamily(face))
                continue;  // the real face is installed: nothing to stand in for
            QFont::removeSubstitutions(face);
            if (!substitutes.isEmpty())
                QFont::insertSubstitutions(face, substitutes);
        }
    }
}

bool FontFaceAvailable(const QString& face) {
    if (face.trimmed().isEmpty())
        return false;
    if (QFontDatabase::hasFamily(face))
        return true;
    const QStringList substitutes = QFont::substitutes(face);
    return std::any_of(substitutes.begin(), substitutes.end(),
                       [](const QString& family) { return QFontDatabase::hasFamily(family); });
}
