#pragma once

#include <QProgressBar>
#include <QWidget>

// The tool's one window: a progress bar that fills while the catalogue is written.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    Form1();

    QProgressBar* const P1;
};
