#include "foundation/ini_text.h"

#include <QList>

#include "foundation/gbk.h"

// Works on the raw bytes so that every line a write does not touch stays byte for byte.
// Line breaks, blanks, '=' and quotes never occur inside a GBK double-byte character, so they
// can be found byte by byte; ']' can (as a trail byte), so section headers are decoded first.

namespace ini {
namespace {

struct Line {
    qsizetype start = 0;  // first byte of the line
    qsizetype end = 0;    // one past its last byte, before the line break
    qsizetype next = 0;   // first byte after the line break
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView bytes) {
    while (!bytes.isEmpty() && IsBlank(bytes.front())) {
        bytes = bytes.sliced(1);
    }
    while (!bytes.isEmpty() && IsBlank(bytes.back())) {
        bytes.chop(1);
    }
    return bytes;
}

// CR LF, LF and a lone CR each end a line.
QList<Line> SplitLines(const QByteArray& file) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n') {
            ++end;
        }
        qsizetype next = end;
        if (next < file.size() && file[next] == '\r') {
            ++next;
        }
        if (next < file.size() && file[next] == '\n' && (next == end || file[end] == '\r')) {
            ++next;
        }
        lines.append({start, end, next});
        start = next;
    }
    return lines;
}

QString TrimmedName(const QString& name) {
    qsizetype first = 0;
    qsizetype last = name.size();
    auto blank = [](QChar c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (first < last && blank(name[first])) {
        ++first;
    }
    while (last > first && blank(name[last - 1])) {
        --last;
    }
    return name.mid(first, last - first);
}

// A name as it is looked for: its text, and its GBK bytes for the byte-wise comparison.
struct WantedName {
    explicit WantedName(const QString& name) : text(name), bytes(ToGbk(name)) {}
    QString text;
    QByteArray bytes;
};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool IsLead(char c) {
    return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) <= 0xFE;
}

// Compares character by character without decoding the whole name: ASCII letters without
// regard to case, double-byte characters by their bytes, and only two double-byte characters
// that differ (Greek, Cyrillic, full-width letters have cases too) are decoded.
bool SameName(QByteArrayView stored, const WantedName& wanted) {
    const QByteArrayView other(wanted.bytes);
    if (stored.size() != other.size()) {
        return false;  // letter-case variants have the same length in GBK
    }
    for (qsizetype i = 0; i < stored.size();) {
        const int length = IsLead(stored[i]) && i + 1 < stored.size() ? 2 : 1;
        const QByteArrayView a = stored.sliced(i, length);
        const QByteArrayView b = other.sliced(i, length);
        const bool same = length == 1 ? AsciiLower(a[0]) == AsciiLower(b[0])
                                      : a == b || FromGbk(a.toByteArray())
                                                          .compare(FromGbk(b.toByteArray()),
                                                                   Qt::CaseInsensitive) == 0;
        if (!same) {
            return false;
        }
        i += length;
    }
    return true;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<QString> SectionName(QByteArrayView content) {
    const QByteArrayView trimmed = Trimmed(content);
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const QString text = FromGbk(trimmed.toByteArray());
    const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
    if (close < 1) {
        return std::nullopt;
    }
    return TrimmedName(text.mid(1, close - 1));
}

struct KeyLine {
    QByteArrayView name;   // trimmed, as spelt in the file
    QByteArrayView value;  // trimmed, quotes still on
};

std::optional<KeyLine> ParseKey(QByteArrayView content) {
    const qsizetype equals = content.indexOf('=');
    if (equals < 0) {
        return std::nullopt;
    }
    return KeyLine{Trimmed(content.first(equals)), Trimmed(content.sliced(equals + 1))};
}

QByteArrayView Unquoted(QByteArrayView value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Where a section and a key lie in the file.
struct Location {
    qsizetype header = -1;     // index of the section's header line
    qsizetype lastEntry = -1;  // index of the section's last non-blank line
    qsizetype key = -1;        // index of the key's line
};

Location Locate(const QByteArray& file, const QList<Line>& lines, const QString& section,
                const QString& keyName) {
    const WantedName key(keyName);
    Location found;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView content =
            QByteArrayView(file).sliced(lines[i].start, lines[i].end - lines[i].start);
        if (const auto name = SectionName(content)) {
            if (inSection) {
                break;  // only the first section of that name counts
            }
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                found.header = found.lastEntry = i;
            }
            continue;
        }
        if (!inSection || Trimmed(content).isEmpty()) {
            continue;
        }
        found.lastEntry = i;
        if (found.key < 0) {
            if (const auto entry = ParseKey(content); entry && SameName(entry->name, key)) {
                found.key = i;
            }
        }
    }
    return found;
}

bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

}  // namespace

std::optional<QByteArray> FindValue(const QByteArray& file, const QString& section,
                                    const QString& key) {
    const QString wantedKey = TrimmedName(key);
    if (wantedKey.isEmpty()) {
        return std::nullopt;
    }
    const QList<Line> lines = SplitLines(file);
    const Location at = Locate(file, lines, TrimmedName(section), wantedKey);
    if (at.key < 0) {
        return std::nullopt;
    }
    const Line& line = lines[at.key];
    const auto entry = ParseKey(QByteArrayView(file).sliced(line.start, line.end - line.start));
    return Unquoted(entry->value).toByteArray();
}

std::optional<QByteArray> SetValue(const QByteArray& file, const QString& section,
                                   const QString& key, const QString& value) {
    const QString sectionName = TrimmedName(section);
    const QString keyName = TrimmedName(key);
    // Names that would not read back as the same section and key are not written at all.
    if (sectionName.isEmpty() || keyName.isEmpty() || HasLineBreak(sectionName) ||
        HasLineBreak(keyName) || sectionName.contains(QLatin1Char(']')) ||
        keyName.contains(QLatin1Char('=')) || keyName.startsWith(QLatin1Char('[')) ||
        ToGbk(sectionName).isEmpty() || ToGbk(keyName).isEmpty()) {
        return std::nullopt;
    }
    // A line break inside a value would start a line of its own: store it as a blank.
    QString flatValue = value;
    flatValue.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flatValue.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), ' ');
    const QByteArray valueBytes = ToGbk(flatValue);
    const QByteArray crlf("\r\n");

    const QList<Line> lines = SplitLines(file);
    const Location at = Locate(file, lines, sectionName, keyName);
    QByteArray result = file;
    if (at.key >= 0) {
        const Line& line = lines[at.key];
        const auto entry = ParseKey(QByteArrayView(file).sliced(line.start, line.end - line.start));
        const qsizetype nameStart = entry->name.data() - file.constData();
        const QByteArray replaced = entry->name.toByteArray() + '=' + valueBytes;
        result.replace(nameStart, line.end - nameStart, replaced);
        return result;
    }
    const QByteArray newKey = ToGbk(keyName) + '=' + valueBytes + crlf;
    if (at.header >= 0) {
        const Line& last = lines[at.lastEntry];
        if (last.next == last.end) {  // the file's last line, without a line break
            result.insert(last.end, crlf + newKey);
        } else {
            result.insert(last.next, newKey);
        }
        return result;
    }
    if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r')) {
        result += crlf;
    }
    result += '[' + ToGbk(sectionName) + ']' + crlf + newKey;
    return result;
}

}  // namespace ini
