#pragma once
// The record of every speaker's time: one row per turn a clock timed, appended to a file of the
// day ("records/2026-12-10.csv" in the program folder). The file is UTF-8 with a byte-order
// mark, so spreadsheet programs on Chinese systems open it with the right characters.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

struct TurnRecord {
    QString debate;       // the debate's name, as the information page stores it
    int segment = 0;      // 1-8; 0 for the side segments or when unknown
    QString segmentName;  // "驳论"
    int style = 0;        // the timing style 1-5; 0 for the side segments
    QString role;         // "正方", "提问方", "第3次发言"; empty for a single clock
    int limit = 0;        // seconds on the clock when the turn first started
    int used = 0;         // seconds spoken, over time included
    int over = 0;         // seconds past the limit
    int starts = 0;       // times the clock was set going
    QDateTime start;      // local wall clock
    QDateTime end;
    // The program was lost while the turn ran: `end` is when the journal last saw it.
    bool interrupted = false;

    bool operator==(const TurnRecord&) const = default;
};

// The record file of `day` in the program folder `appDir`.
QString TimeRecordPath(const QString& appDir, QDate day);

// The file's first bytes: the byte-order mark and the heading row.
QByteArray TimeRecordHeading();
// One row, with its line end.
QByteArray TimeRecordRow(const TurnRecord& turn);
// The rows of a record file (heading and mark skipped); rows that do not read are left out.
// Rows written before the last column was added read as not interrupted.
QList<TurnRecord> TimeRecordRows(const QByteArray& file);

// Whether the record of the program folder `appDir` holds the turn `underway` as it ended: the
// same segment, role, limit and start, and no fewer seconds used.
bool IsRecorded(const QString& appDir, const TurnRecord& underway);

// Appends `turn` to the record of its end's day, creating the file and its folder as needed.
// Empty when done, else why not.
QString AppendTimeRecord(const QString& appDir, const TurnRecord& turn);
// A whole record file of `turns`, for an export.
QString SaveTimeRecord(const QString& path, const QList<TurnRecord>& turns);
