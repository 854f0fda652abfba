#pragma once
// Single-key access to INI profiles, behaving as the Windows private-profile functions do
// on a Chinese (code page 936) system. Every call is a separate file operation: nothing is
// cached and no file stays open.

#include <QString>
#include <QStringList>

// The section that holds almost every key of every profile.
inline const QString kConfigSection = QStringLiteral("配置信息");

// The longest value a read gives back, in bytes of GBK.
inline constexpr int kMaxProfileValueBytes = 99;

// Value of `key` in `section` of `file`; the empty text when any of them is missing.
// Values are cut at 99 bytes of GBK (a double-byte character across the cut is dropped).
QString ReadProfileString(const QString& file, const QString& section, const QString& key);

// Stores `value`, replacing the key in place or appending it to its section (the section to
// the file, the file to its folder). The file is replaced atomically. True when the profile
// holds the value afterwards; otherwise nothing changed, and `whyNot` (when given) says why, in
// words for the operator. Most callers need neither.
bool WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value, QString* whyNot = nullptr);

// The writes of one save of a screen: each goes through WriteProfileString into `file`, and the
// reasons of those that did not take effect are gathered, each once, so the screen can say
// what went wrong instead of reporting a success.
class ProfileSave {
  public:
    explicit ProfileSave(QString file = {}) : file_(std::move(file)) {}

    void write(const QString& section, const QString& key, const QString& value);
    // A save that spans several profiles names the file of each write.
    void writeTo(const QString& file, const QString& section, const QString& key,
                 const QString& value);
    bool succeeded() const { return reasons_.isEmpty(); }
    // One reason a line.
    QString reasons() const { return reasons_.join(QLatin1Char('\n')); }

  private:
    QString file_;
    QStringList reasons_;
};
