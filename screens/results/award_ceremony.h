#pragma once
// The award ceremony `Form8`: the ceremony picture over its background colour, filling the
// screen, with music on demand. Play, stop and the volume bar wait at the left edge until the
// pointer gets there, so the projected picture stays clean. Everything comes from
// "\config\cite.ini"; only the volume is written back.

#include <QList>

#include "foundation/platform/platform.h"
#include "foundation/widgets/full_screen_window.h"

class BackToMain;
class ProfileMusic;
class QGroupBox;
class QPushButton;
class QScrollBar;
class RevealStrip;

class Form8 : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit Form8(const AppContext& context, QWidget* parent = nullptr);

    // The controls, named as on the layout.
    QGroupBox* Frame1;
    QPushButton* Command2;  // "播放▲"
    QPushButton* Command3;  // "停止■"
    QGroupBox* Frame2;
    QScrollBar* Vl1;        // volume, 100 at the top
    QPushButton* Command1;  // "返回主界面"

  protected:
    // The player belongs to the screen: closing it ends the music.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    // Shown and hidden together by the left-edge strip.
    QList<QWidget*> controlColumn() const;
    void load();

    AppContext context_;
    ProfileMusic* music_;
    BackToMain* backToMain_;
    RevealStrip* column_ = nullptr;
};
