#include "foundation/profile_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "foundation/gbk.h"
#include "foundation/ini_text.h"
#include "foundation/paths.h"

namespace {

// The lookup buffer holds 100 bytes, so at most 99 bytes of a value come back.
constexpr int kMaxValueBytes = 99;

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
    return value ? FromGbk(CutGbk(*value, kMaxValueBytes)) : QString();
}

void WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value) {
    const QString path = ResolvePath(file);
    const QFileInfo info(path);
    // Without GBK every name would come out empty: nothing is written rather than that.
    if (!GbkAvailable() || !info.dir().exists()) {
        return;
    }
    QByteArray old;
    if (info.exists()) {
        QFile current(path);
        // A read-only or unreadable profile is left exactly as it is (even for root, who
        // could write it anyway).
        const bool readOnly = !(info.permissions() & kAnyWrite) || !info.isWritable();
        if (!info.isFile() || readOnly || !current.open(QIODevice::ReadOnly)) {
            return;
        }
        old = current.readAll();
    }
    const auto updated = ini::SetValue(old, section, key, value);
    if (!updated || (info.exists() && *updated == old)) {
        return;
    }
    // Written beside the profile and renamed over it: a crash or a full disk never leaves a
    // half-written profile behind.
    QSaveFile save(path);
    if (save.open(QIODevice::WriteOnly) && save.write(*updated) == updated->size()) {
        save.commit();
    }
}
