#pragma once
// What a clock screen in use is, as the journal of the running segment keeps it: every second
// counter of the screen, each clock as it shows, each button as it can be pressed, and which
// ticks ran. A screen put up again from it shows what the lost one showed, paused.
//
// The journal is read back after a crash, from a file anyone may have changed: reading refuses
// anything that is not exactly what a screen writes, rather than putting up half a screen.

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

struct ShownClock {
    QString text;
    QColor colour;
    bool published = false;  // one of the clocks the audience reads (not a turn clock)
    QString caption;         // what the screen writes beside it ("正方"), if anything
    bool operator==(const ShownClock&) const = default;
};

// One clock's turns, for the time record: the turn in progress, if any, and how many began.
struct TurnProgress {
    int number = 0;    // turns begun on this clock so far
    int limit = 0;     // the clock's seconds when the turn first started
    int ticks = 0;     // seconds the clock counted in the turn
    int starts = 0;    // times the clock was set going in the turn
    int overtime = 0;  // seconds counted on after its time was up
    bool countingOvertime = false;
    QDateTime began;  // invalid while no turn is in progress
    QString role;     // whose turn is in progress ("正方", "第2次发言")
    bool operator==(const TurnProgress&) const = default;
};

struct SegmentState {
    QString screen;                     // the screen's object name, "Form6"
    int segmentNumber = 0;              // 1-8; 0 for the side segments or when unknown
    QString segment;                    // the name of the segment it times, "驳论"
    int style = 0;                      // its timing style 1-5; 0 for the side segments
    QString debate;                     // the debate's name, for the record of its turns
    QMap<QString, qint16> counters;     // every second counter, by name
    QMap<QString, ShownClock> shown;    // every label that shows a counter, by object name
    QMap<QString, bool> enabled;        // every button of the screen's strip, by object name
    QStringList running;                // the ticks that ran ("Timer1")
    QMap<QString, TurnProgress> turns;  // by the tick that times them
    QDateTime written;                  // when, by the wall clock (UTC)

    bool operator==(const SegmentState&) const = default;
};

QByteArray SegmentStateToJson(const SegmentState& state);
// The state in `json`, or none when it is damaged, incomplete or out of range.
std::optional<SegmentState> SegmentStateFromJson(const QByteArray& json);
