#include <windows.h>

#include <algorithm>
#include <limits>

#include "foundation/gbk_codec.h"

// Code page 936 of the system, as a Chinese Windows reads its profiles; installed on every
// Windows whatever the system's own code page is.
namespace gbk_codec {

namespace {

constexpr UINT kGbk = 936;

bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

bool IsSurrogate(QChar c) {
    return c.isSurrogate();
}

// The system converter makes one '?' of each half of a character beyond the basic plane;
// one '?' per character, as on Linux.
QString OneUnitPerCharacter(QStringView text) {
    QString single;
    single.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsSurrogate(text[i])) {
            single += text[i];
            continue;
        }
        single += u'?';
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
    }
    return single;
}

int DecodeExactly(const char* bytes, int size, wchar_t* out, int room) {
    return MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes, size, out, room);
}

}  // namespace

bool Available() {
    static const bool available = IsValidCodePage(kGbk);
    return available;
}

QByteArray Encode(QStringView text) {
    if (text.isEmpty() || text.size() > std::numeric_limits<int>::max() / 2) {
        return {};
    }
    QString single;
    if (std::any_of(text.begin(), text.end(), IsSurrogate)) {
        single = OneUnitPerCharacter(text);
        text = single;
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = static_cast<int>(text.size());
    // No best fit: a character GBK lacks is '?', never a look-alike.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(kGbk, flags, wide, length, nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kGbk, flags, wide, length, bytes.data(), size, "?", nullptr);
    return bytes;
}

QString Decode(QByteArrayView bytes) {
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<int>::max()) {
        return {};
    }
    // Code page 936 never takes more UTF-16 units than bytes.
    const int size = static_cast<int>(bytes.size());
    QString text(size, Qt::Uninitialized);
    auto* out = reinterpret_cast<wchar_t*>(text.data());
    if (const int units = DecodeExactly(bytes.data(), size, out, size); units > 0) {
        text.truncate(units);
        return text;
    }
    // Something is invalid: one character at a time, each bad one a U+FFFD, as ICU does.
    int units = 0;
    for (int i = 0; i < size;) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool pair = b >= 0x81 && b <= 0xFE && i + 1 < size;
        const int length = pair ? 2 : 1;
        if (DecodeExactly(bytes.data() + i, length, out + units, 1) == 1) {
            ++units;
            i += length;
            continue;
        }
        if (b == 0xFF) {
            // Microsoft's table (and ICU's copy of it) gives 0xFF a private character; Wine's
            // lacks it.
            out[units++] = 0xF8F5;
            ++i;
            continue;
        }
        out[units++] = 0xFFFD;
        // A byte that cannot follow a lead byte starts the next character.
        i += pair && IsTrailByte(static_cast<unsigned char>(bytes[i + 1])) ? 2 : 1;
    }
    text.truncate(units);
    return text;
}

}  // namespace gbk_codec
