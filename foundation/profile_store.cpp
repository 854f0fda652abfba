#include "foundation/profile_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "foundation/gbk.h"
#include "foundation/ini_text.h"
#include "foundation/paths.h"
#include "foundation/saved_file.h"

namespace {

// Mode bits only: WriteUser says what this process may do, and root may do anything.
constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

}  // namespace

QString ReadProfileString(const QString& file, const QString& section, const QString& key) {
    QFile profile(ResolvePath(file));
    if (!profile.open(QIODevice::ReadOnly)) {
        return {};
    }
    const auto value = ini::FindValue(profile.readAll(), section, key);
    return value ? FromGbk(CutGbk(*value, kMaxProfileValueBytes)) : QString();
}

bool WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value, QString* whyNot) {
    const auto fail = [whyNot](const QString& reason) {
        if (whyNot) {
            *whyNot = reason;
        }
        return false;
    };
    const QString path = ResolvePath(file);
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    // Without GBK every name would come out empty: nothing is written rather than that.
    if (!GbkAvailable()) {
        return fail(QStringLiteral("没有 GBK 编码转换，无法写入 %1").arg(shown));
    }
    if (!info.dir().exists()) {
        return fail(
            QStringLiteral("文件夹 %1 不存在").arg(QDir::toNativeSeparators(info.dir().path())));
    }
    QByteArray old;
    if (info.exists()) {
        QFile current(path);
        // A read-only or unreadable profile is left exactly as it is (even for root, who
        // could write it anyway).
        const bool readOnly = !(info.permissions() & kAnyWrite) || !info.isWritable();
        if (!info.isFile()) {
            return fail(QStringLiteral("%1 不是文件").arg(shown));
        }
        if (readOnly) {
            return fail(QStringLiteral("文件 %1 是只读的").arg(shown));
        }
        if (!current.open(QIODevice::ReadOnly)) {
            return fail(QStringLiteral("无法读取 %1：%2").arg(shown, current.errorString()));
        }
        old = current.readAll();
    }
    const auto updated = ini::SetValue(old, section, key, value);
    if (!updated) {
        return fail(QStringLiteral("节名或键名“%1”/“%2”无法写入配置文件").arg(section, key));
    }
    if (info.exists() && *updated == old) {
        return true;  // it holds the value already
    }
    // Written beside the profile and renamed over it: a crash or a full disk never leaves a
    // half-written profile behind.
    if (const QString error = SaveFileAtomically(path, *updated); !error.isEmpty()) {
        return fail(QStringLiteral("无法写入 %1：%2").arg(shown, error));
    }
    return true;
}

void ProfileSave::write(const QString& section, const QString& key, const QString& value) {
    writeTo(file_, section, key, value);
}

void ProfileSave::writeTo(const QString& file, const QString& section, const QString& key,
                          const QString& value) {
    QString whyNot;
    if (!WriteProfileString(file, section, key, value, &whyNot) && !reasons_.contains(whyNot)) {
        reasons_ << whyNot;
    }
}
