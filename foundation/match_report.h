#pragma once
// The plain-text match report: the competition, organisers, motions, teams and debaters,
// judges, final scores and winner, with two lines for the teams' signatures.

#include <QString>
#include <QStringList>

// The report's 39 lines, from "\config\BasicInfo.ini" and "\config\Result.ini" of `appDir` as
// they are now. `date` and `time` are printed as given (the caller's regional short forms).
// A missing key or profile leaves its value empty; every label and blank stays.
QStringList ReportLines(const QString& appDir, const QString& date, const QString& time);

// The lines joined by CR LF, without a line break after the last one.
QString ReportText(const QString& appDir, const QString& date, const QString& time);
