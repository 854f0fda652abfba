#pragma once
// The console's part of the hall's network: switching it on, where phones reach it (as text and
// as a QR code of the remote's address), how many are connected, and a new token.

#include <QGroupBox>

class HallService;
class QCheckBox;
class QLabel;
class QPushButton;

class HallPanel : public QGroupBox {
    Q_OBJECT
  public:
    explicit HallPanel(HallService& service, QWidget* parent = nullptr);

  private:
    void refresh();

    HallService& service_;
    QCheckBox* enabled_;
    QLabel* status_;
    QLabel* addresses_;
    QLabel* code_;
    QPushButton* newToken_;
    QString shownAddress_;  // the remote's address the code was drawn for
};
