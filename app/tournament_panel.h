#pragma once
// The console's part of a tournament: how this room reaches the broker ("\config\tournament.ini"),
// whether it is connected, and the tab room's notices, each kept until the operator closes it.
// Notices show here only, never on the projector.

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class TournamentLink;
struct TournamentNotice;

class TournamentPanel : public QGroupBox {
    Q_OBJECT
  public:
    TournamentPanel(QString appDir, TournamentLink& link, QWidget* parent = nullptr);

    // The tab room's notices, for the console to place where the operator looks first.
    QWidget* notices() const { return notices_; }

  private:
    void load();
    void saveAndConnect();
    void showStatus();
    void addNotice(const TournamentNotice& notice);

    QString appDir_;
    TournamentLink& link_;
    QCheckBox* enabled_;
    QLineEdit* host_;
    QLineEdit* port_;
    QCheckBox* tls_;
    QLineEdit* tournament_;
    QLineEdit* room_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLabel* status_;
    QWidget* notices_;
};
