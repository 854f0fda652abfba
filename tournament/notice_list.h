#pragma once
// The tab room's notices as the console keeps them: the last five, each once however often it
// came (with how often and when last), and a count of those folded away, so a flood of notices
// costs the console five rows.

#include <QDateTime>
#include <QList>
#include <QString>

struct TournamentNotice {
    QString text;
    QDateTime received;  // the last time it came
    bool forThisRoomOnly = false;
    int times = 1;  // how often it came
    quint64 id = 0;
};

class NoticeList {
  public:
    static constexpr int kShown = 5;

    // The notice first or again; an older one may fold away to make room.
    void add(const QString& text, bool forThisRoomOnly, const QDateTime& received);
    // Notices that never reached the list (let go on their way under a flood): folded too.
    void fold(int count) { folded_ += count; }
    // The operator closed the notice `id`.
    void close(quint64 id);
    void clearFolded() { folded_ = 0; }

    // Oldest first.
    const QList<TournamentNotice>& shown() const { return shown_; }
    // Notices no longer shown that the operator did not close, repeats counted.
    qint64 folded() const { return folded_; }

  private:
    QList<TournamentNotice> shown_;
    qint64 folded_ = 0;
    quint64 nextId_ = 1;
};
