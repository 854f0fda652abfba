#include "timing/time_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "foundation/paths.h"
#include "foundation/saved_file.h"

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr int kColumns = 12;
const QString kInterrupted = QStringLiteral("计时中断");

// A spreadsheet would run a text that begins like a formula: such a text is kept as text.
bool LooksLikeFormula(const QString& text) {
    return !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front());
}

QString Field(const QString& text) {
    const QString safe = LooksLikeFormula(text) ? QLatin1Char('\'') + text : text;
    if (!safe.contains(QRegularExpression(QStringLiteral("[,\"\r\n]")))) {
        return safe;
    }
    return QLatin1Char('"') + QString(safe).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString Unguarded(const QString& field) {
    return field.startsWith(QLatin1Char('\'')) && LooksLikeFormula(field.mid(1)) ? field.mid(1)
                                                                                 : field;
}

// The fields of every line of `text`, quotes undone.
QList<QStringList> Lines(const QString& text) {
    QList<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            fields << field;
            lines << fields;
            fields.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty()) {
        fields << field;
        lines << fields;
    }
    return lines;
}

std::optional<TurnRecord> RowFrom(const QStringList& fields) {
    if (fields.size() != kColumns && fields.size() != kColumns - 1) {
        return std::nullopt;
    }
    TurnRecord turn;
    bool ok[7] = {};
    turn.debate = Unguarded(fields[0]);
    turn.segment = fields[1].isEmpty() ? (ok[0] = true, 0) : fields[1].toInt(&ok[0]);
    turn.segmentName = Unguarded(fields[2]);
    turn.style = fields[3].isEmpty() ? (ok[1] = true, 0) : fields[3].toInt(&ok[1]);
    turn.role = Unguarded(fields[4]);
    turn.limit = fields[5].toInt(&ok[2]);
    turn.used = fields[6].toInt(&ok[3]);
    turn.over = fields[7].toInt(&ok[4]);
    turn.starts = fields[8].toInt(&ok[5]);
    turn.start = QDateTime::fromString(fields[9], kTimeFormat);
    turn.end = QDateTime::fromString(fields[10], kTimeFormat);
    ok[6] = turn.start.isValid() && turn.end.isValid();
    turn.interrupted = fields.size() == kColumns && fields[11] == kInterrupted;
    if (std::find(std::begin(ok), std::end(ok), false) != std::end(ok)) {
        return std::nullopt;
    }
    return turn;
}

}  // namespace

QString TimeRecordPath(const QString& appDir, QDate day) {
    return AppPath(appDir, QStringLiteral("\\records\\") +
                               day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv"));
}

QByteArray TimeRecordHeading() {
    return kByteOrderMark + QStringLiteral(
                                "辩论赛,环节序号,环节名称,计时样式,方/角色,限时(秒),用时(秒),"
                                "超时(秒),启动次数,开始时间,结束时间,备注\r\n")
                                .toUtf8();
}

QByteArray TimeRecordRow(const TurnRecord& turn) {
    const auto number = [](int value) { return value ? QString::number(value) : QString(); };
    return QStringList{Field(turn.debate),
                       number(turn.segment),
                       Field(turn.segmentName),
                       number(turn.style),
                       Field(turn.role),
                       QString::number(turn.limit),
                       QString::number(turn.used),
                       QString::number(turn.over),
                       QString::number(turn.starts),
                       turn.start.toString(kTimeFormat),
                       turn.end.toString(kTimeFormat),
                       turn.interrupted ? kInterrupted : QString()}
               .join(QLatin1Char(','))
               .toUtf8() +
           "\r\n";
}

QList<TurnRecord> TimeRecordRows(const QByteArray& file) {
    const QByteArray body = file.startsWith(kByteOrderMark) ? file.mid(3) : file;
    QList<TurnRecord> rows;
    const QList<QStringList> lines = Lines(QString::fromUtf8(body));
    for (qsizetype i = 1; i < lines.size(); ++i) {  // the first line is the heading
        if (const std::optional<TurnRecord> row = RowFrom(lines[i])) {
            rows << *row;
        }
    }
    return rows;
}

bool IsRecorded(const QString& appDir, const TurnRecord& underway) {
    // Its row went to the file of the day it ended: the day it began, or past midnight the next.
    for (const QDate day : {underway.start.date(), underway.start.date().addDays(1)}) {
        QFile file(TimeRecordPath(appDir, day));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        for (const TurnRecord& row : TimeRecordRows(file.readAll())) {
            if (row.debate == underway.debate && row.segment == underway.segment &&
                row.segmentName == underway.segmentName && row.style == underway.style &&
                row.role == underway.role && row.limit == underway.limit &&
                row.start.toString(kTimeFormat) == underway.start.toString(kTimeFormat) &&
                row.used >= underway.used) {
                return true;
            }
        }
    }
    return false;
}

QString AppendTimeRecord(const QString& appDir, const TurnRecord& turn) {
    QFile file(TimeRecordPath(appDir, turn.end.date()));
    QDir().mkpath(QFileInfo(file).path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return file.errorString();
    }
    // A row goes out in one write, so a crash leaves whole rows behind.
    const QByteArray bytes =
        (file.size() == 0 ? TimeRecordHeading() : QByteArray()) + TimeRecordRow(turn);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return file.errorString();
    }
    return {};
}

QString SaveTimeRecord(const QString& path, const QList<TurnRecord>& turns) {
    QByteArray bytes = TimeRecordHeading();
    for (const TurnRecord& turn : turns) {
        bytes += TimeRecordRow(turn);
    }
    return SaveFileAtomically(path, bytes);
}
