#pragma once
// The remote's token as the hall's network checks it: a wrong one is counted against its
// address, and an address that keeps guessing is refused for a while without its guesses being
// looked at.

#include <QString>

#include "foundation/remote_access.h"

class TokenGate {
  public:
    enum class Verdict { Right, Wrong, Locked };
    struct Check {
        Verdict verdict = Verdict::Wrong;
        qint64 waitMs = 0;  // while locked: how long until `address` may try again
    };

    void setToken(const QString& token) { token_ = token; }
    // `given` from `address` at `nowMs` (monotonic milliseconds); a wrong one is counted.
    Check check(const QString& address, const QString& given, qint64 nowMs) {
        if (const qint64 wait = wrong_.waitMs(address, nowMs); wait > 0) {
            return {Verdict::Locked, wait};
        }
        if (SameToken(given, token_)) {
            return {Verdict::Right, 0};
        }
        wrong_.noteWrong(address, nowMs);
        return {Verdict::Wrong, 0};
    }

  private:
    QString token_;
    WrongTokenLimit wrong_;
};
