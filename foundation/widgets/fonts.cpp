#include "foundation/widgets/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

#include "foundation/values.h"

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

const QStringList kSansChinese = {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Zen Hei",
                                  "WenQuanYi Micro Hei", "Droid Sans Fallback"};
const QStringList kSerifChinese =
    QStringList{"Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN"} + kSansChinese;
const QStringList kKaiChinese = QStringList{"AR PL UKai CN"} + kSerifChinese;

const QStringList kSerif = {"Liberation Serif", "DejaVu Serif", "Nimbus Roman", "Noto Serif",
                            "FreeSerif"};
const QStringList kSans = {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "Noto Sans",
                           "FreeSans"};
const QStringList kMono = {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "Noto Mono",
                           "FreeMono"};

enum class Kind { Song, Kai, Hei, Serif, Sans, Mono };

struct DesignFace {
    const char* face;
    Kind kind;
};

const DesignFace kDesignFaces[] = {
    {"宋体", Kind::Song},
    {"SimSun", Kind::Song},
    {"新宋体", Kind::Song},
    {"NSimSun", Kind::Song},
    {"仿宋", Kind::Song},
    {"FangSong", Kind::Song},
    {"仿宋_GB2312", Kind::Song},
    {"楷体", Kind::Kai},
    {"KaiTi", Kind::Kai},
    {"楷体_GB2312", Kind::Kai},
    {"黑体", Kind::Hei},
    {"SimHei", Kind::Hei},
    {"微软雅黑", Kind::Hei},
    {"Microsoft YaHei", Kind::Hei},
    {"Times New Roman", Kind::Serif},
    {"Arial", Kind::Sans},
    {"MS Sans Serif", Kind::Sans},
    {"Microsoft Sans Serif", Kind::Sans},
    {"Tahoma", Kind::Sans},
    {"Verdana", Kind::Sans},
    {"Courier New", Kind::Mono},
};

// A Chinese face of the same kind (else any Chinese face); a Western face of the same kind
// followed by the Chinese face for the characters it lacks.
QStringList SubstitutesFor(Kind kind, const QString& anyChinese) {
    const auto chinese = [&anyChinese](const QStringList& candidates) {
        const QString face = FirstChineseFace(candidates);
        return face.isEmpty() ? anyChinese : face;
    };
    QStringList substitutes;
    switch (kind) {
        case Kind::Song:
            substitutes << chinese(kSerifChinese);
            break;
        case Kind::Kai:
            substitutes << chinese(kKaiChinese);
            break;
        case Kind::Hei:
            substitutes << chinese(kSansChinese);
            break;
        case Kind::Serif:
            substitutes << FirstInstalled(kSerif) << anyChinese;
            break;
        case Kind::Sans:
            substitutes << FirstInstalled(kSans) << anyChinese;
            break;
        case Kind::Mono:
            substitutes << FirstInstalled(kMono) << anyChinese;
            break;
    }
    substitutes.removeAll(QString());
    substitutes.removeDuplicates();
    return substitutes;
}

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
    for (const DesignFace& design : kDesignFaces) {
        const QString face = QString::fromUtf8(design.face);
        if (QFontDatabase::hasFamily(face))
            continue;  // the real face is installed: nothing to stand in for
        // Replaces, never appends to, what an earlier call installed.
        QFont::removeSubstitutions(face);
        const QStringList substitutes = SubstitutesFor(design.kind, anyChinese);
        if (!substitutes.isEmpty())
            QFont::insertSubstitutions(face, substitutes);
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

std::optional<qreal> PointSizeValue(const QString& text) {
    // The largest size the desktop's font properties accept; anything above is not taken.
    constexpr double kLargestPointSize = 2160;
    const std::optional<double> size = StrictNumber(text);
    if (!size || *size <= 0 || *size > kLargestPointSize)
        return std::nullopt;
    return *size;
}
