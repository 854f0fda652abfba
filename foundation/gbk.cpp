#include "foundation/gbk.h"

#include "foundation/gbk_codec.h"

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
    return gbk_codec::Available();
}

QByteArray ToGbk(const QString& text) {
    return gbk_codec::Encode(text);
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
    QString text = gbk_codec::Decode(QByteArrayView(bytes).first(complete));
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
