#pragma once
// The console's part of a tournament: whether this room is connected to the tournament's
// broker, a button to its settings ("赛事联网设置…", in a dialog: the console holds no text box),
// and the tab room's last five notices, each kept until the operator closes it, with a count of
// those folded away beside the status. Notices show here only, never on the projector.

#include <QGroupBox>

class QLabel;
class QToolButton;
class TournamentLink;

class TournamentPanel : public QGroupBox {
    Q_OBJECT
  public:
    TournamentPanel(QString appDir, TournamentLink& link, QWidget* parent = nullptr);

    // The tab room's notices, for the console to place where the operator looks first.
    QWidget* notices() const { return notices_; }

  private:
    void openSettings();
    void showStatus();
    void showNotices();

    QString appDir_;
    TournamentLink& link_;
    QLabel* status_;
    QLabel* folded_;
    QToolButton* clearFolded_;
    QWidget* notices_;
};
