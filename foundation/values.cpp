#include "foundation/values.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace {

bool IsIgnoredBlank(QChar c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(QChar c) {
    return c >= '0' && c <= '9';
}

// "&H1F" / "&O17": hex and octal as the desktop's number reader takes them; four digits or
// fewer are a 16-bit value, up to eight a 32-bit one (so "&HFFFF" is -1).
double RadixNumber(const QString& digits, int base) {
    qint64 value = 0;
    int count = 0;
    for (const QChar c : digits) {
        const int digit = c.isDigit() ? c.digitValue()
                          : (base == 16 && c.toLower() >= 'a' && c.toLower() <= 'f')
                              ? c.toLower().unicode() - 'a' + 10
                              : -1;
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * base + digit;
        if (++count > 11 || value > 0xFFFFFFFFLL) {
            break;
        }
    }
    if (value <= 0xFFFF && count <= (base == 16 ? 4 : 6)) {
        return static_cast<qint16>(value);
    }
    return static_cast<qint32>(static_cast<quint32>(value & 0xFFFFFFFF));
}

// The longest number at the start of `text` (already without blanks), in the form a decimal
// reader takes ("1.5d3" becomes "1.5e3").
QString NumberPrefix(const QString& text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const qsizetype digitsStart = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == '.')) {
        return {};
    }
    if (i < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            QString number = text.left(j);
            number[i] = 'e';
            return number;
        }
    }
    return text.left(i);
}

// The value of a number NumberPrefix found ("" is 0), read the same under every system
// language: the C library's strtod follows LC_NUMERIC, which the application object sets from
// the user's locale, and would read "10.5" as 10 where the decimal sign is a comma. Overflow
// gives an infinity, as strtod does.
double DecimalValue(const QString& number) {
    return number.isEmpty() ? 0.0 : number.toDouble();
}

double ParseNumber(const QString& compact) {
    if (compact.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        return RadixNumber(compact.mid(2), 16);
    }
    if (compact.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        return RadixNumber(compact.mid(2), 8);
    }
    return DecimalValue(NumberPrefix(compact));
}

QString WithoutBlanks(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!IsIgnoredBlank(c)) {
            compact += c;
        }
    }
    return compact;
}

}  // namespace

double LeadingNumber(const QString& text) {
    return ParseNumber(WithoutBlanks(text));
}

double LeadingDecimal(const QString& text) {
    return DecimalValue(NumberPrefix(WithoutBlanks(text)));
}

double RoundHalfEven(double value) {
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return rounded;
}

qint16 ReadSeconds(const QString& text, qint16 previous) {
    const double value = RoundHalfEven(LeadingNumber(text));
    if (!(value >= std::numeric_limits<qint16>::min() &&
          value <= std::numeric_limits<qint16>::max())) {
        return previous;
    }
    return static_cast<qint16>(value);
}

int ReadWholeNumber(const QString& text) {
    const double value = RoundHalfEven(LeadingNumber(text));
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())) {
        return 0;
    }
    return static_cast<int>(value);
}

std::optional<double> StrictNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    // "&H"/"&O" numbers must consist of their digits alone.
    const bool hex = trimmed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive);
    if (hex || trimmed.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        bool ok = false;
        trimmed.mid(2).toULongLong(&ok, hex ? 16 : 8);
        return ok && trimmed.size() - 2 <= (hex ? 8 : 11) ? std::optional(ParseNumber(trimmed))
                                                          : std::nullopt;
    }
    const QString prefix = NumberPrefix(trimmed);
    if (prefix.size() != trimmed.size()) {
        return std::nullopt;
    }
    return DecimalValue(prefix);
}

std::optional<quint32> ReadColourValue(const QString& text) {
    const auto number = StrictNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double value = RoundHalfEven(*number);
    if (!(value >= std::numeric_limits<qint32>::min() &&
          value <= std::numeric_limits<qint32>::max())) {
        return std::nullopt;
    }
    return static_cast<quint32>(static_cast<qint32>(value));
}

bool IsYesFlag(const QString& text) {
    return text == QLatin1String("Y");
}

bool IsCheckedFlag(const QString& text) {
    return ReadWholeNumber(text) == 1;
}

QString CheckedFlagText(bool checked) {
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}
