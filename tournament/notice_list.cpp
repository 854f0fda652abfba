#include "tournament/notice_list.h"

void NoticeList::add(const QString& text, bool forThisRoomOnly, const QDateTime& received) {
    for (qsizetype i = 0; i < shown_.size(); ++i) {
        if (shown_[i].text == text && shown_[i].forThisRoomOnly == forThisRoomOnly) {
            TournamentNotice again = shown_.takeAt(i);
            ++again.times;
            again.received = received;
            shown_.append(again);  // the newest again
            return;
        }
    }
    shown_.append({text, received, forThisRoomOnly, 1, nextId_++});
    while (shown_.size() > kShown) {
        folded_ += shown_.takeFirst().times;
    }
}

void NoticeList::close(quint64 id) {
    shown_.removeIf([id](const TournamentNotice& notice) { return notice.id == id; });
}
