#include "foundation/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Code page 936 lead bytes; every other byte stands alone.
bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// Length of the character that starts at `i`: 2 for a lead byte with a byte after it, else 1.
int CharLength(const QByteArray& bytes, qsizetype i) {
    return IsLeadByte(bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
}

}  // namespace

bool GbkAvailable() {
    static const bool available = QStringEncoder("GBK").isValid();
    return available;
}

// Opening a converter is far dearer than a short conversion, so each thread keeps one; being
// stateless, they carry nothing from one call to the next.
QByteArray ToGbk(const QString& text) {
    thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString FromGbk(const QByteArray& bytes) {
    qsizetype complete = 0;
    while (complete < bytes.size()) {
        const int length = CharLength(bytes, complete);
        if (length == 1 && IsLeadByte(bytes[complete])) {
            break;  // a lead byte at the very end: the decoder would swallow it silently
        }
        complete += length;
    }
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes).first(complete));
    if (complete < bytes.size()) {
        text += QChar::ReplacementCharacter;
    }
    return text;
}

QByteArray CutGbk(const QByteArray& bytes, int maxBytes) {
    if (bytes.size() <= maxBytes) {
        return bytes;
    }
    qsizetype end = 0;
    while (end < bytes.size()) {
        const int length = CharLength(bytes, end);
        if (end + length > maxBytes) {
            break;
        }
        end += length;
    }
    return bytes.left(end);
}
