#pragma once
// "赛事联网设置": how this room reaches the tournament's broker ("\config\tournament.ini"), in a
// dialog of its own so that no text box sits on the console, whose keys drive the clocks.
// Saving refuses, with the reason under the form, what could not work: a 用户名 other than the
// 赛场 (the broker would refuse every message of the room), a port out of range, and a value
// the GBK profile cannot hold as typed.

#include <QDialog>

#include "foundation/tournament_profile.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TournamentLink;

class TournamentSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    TournamentSettingsDialog(QString appDir, TournamentLink& link, QWidget* parent = nullptr);

  private:
    void saveAndConnect();
    TournamentSettings typed() const;

    QString appDir_;
    TournamentLink& link_;
    TournamentSettings stored_;  // what the form does not show (the CA file) is kept as it is
    QCheckBox* enabled_;
    QLineEdit* host_;
    QLineEdit* port_;
    QCheckBox* tls_;
    QLineEdit* tournament_;
    QLineEdit* room_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLabel* problem_;
};
