#include "foundation/widgets/single_text.h"

#include <charconv>

QString SingleText(float value) {
    if (value == 0.0f)
        return QStringLiteral("0");  // also turns -0 into 0
    // The widest fixed form of a float (FLT_MAX) has 39 digits and a sign.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return QString::fromLatin1(text, result.ptr - text);
}
