#pragma once
// The operator's home screen `Form4`: a full-window picture or colour, with the operator's
// buttons shown only while the mouse is at the left edge (and the volume frame at the bottom).
// It launches the segments, opens the other screens through the navigator, shows the
// presentations and plays background music.

#include <QList>

#include "foundation/platform/platform.h"
#include "foundation/widgets/full_screen_window.h"

class BackgroundMusic;
class QGroupBox;
class QPushButton;
class QScrollBar;
class RevealStrip;

// The operator's help, opened with F1.
inline const QString kHelpFile = QStringLiteral("\\help.html");

inline const QString kExitQuestion = QStringLiteral("是否退出？");
inline const QString kExitTitle = QStringLiteral("提示");

class Form4 : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit Form4(AppContext& context, QWidget* parent = nullptr);
    ~Form4() override;

  public slots:
    // "刷新设置": the current layout becomes the designed one, then names, colour and picture
    // are read afresh. The volume is not re-read.
    void refresh();

    // Disables (true) or enables again the operator controls while an information window is
    // open over the settings. Hl1 follows its frame.
    void lockForInformation(bool locked);
    // The plain colour instead of the picture, until the next refresh.
    void clearPicture();

  public:
    // The controls, named as on the layout. The segment buttons `Command4(i)` are the list
    // members 0..7 with object names "Command4_0" .. "Command4_7".
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QList<QPushButton*> Command4;
    QPushButton* Command10;
    QPushButton* Command11;
    QPushButton* Command12;
    QPushButton* Command13;
    QPushButton* Command14;
    QGroupBox* Frame1;
    QPushButton* Command17;
    QPushButton* Command18;
    QPushButton* Command16;
    QPushButton* Command19;
    QPushButton* Command15;
    QGroupBox* Frame2;
    QScrollBar* Hl1;

  protected:
    // F1 opens the operator's help.
    void keyPressEvent(QKeyEvent* event) override;
    // Closing the screen ends its music.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void connectControls();
    // Loading steps 1 to 6, shared by loading and refresh.
    void loadLayoutAndLooks();
    void loadCaptions();
    void loadBackground();
    void loadVolume();
    // The buttons and Frame1, shown and hidden together by the left strip.
    QList<QWidget*> buttonColumn() const;
    // The controls enabled as the information lock and an import in progress allow.
    void applyLocks();

    void presentation(int k);
    void exitProgram();

    AppContext& context_;
    BackgroundMusic* music_;
    RevealStrip* leftStrip_ = nullptr;
    RevealStrip* bottomStrip_ = nullptr;
    bool lockedForInformation_ = false;
};
