#pragma once
// Form11: the result announcement the hall sees. The operator reveals the affirmative score,
// the negative score and the winner, each with its picture, large labels and sound effect,
// with music under it. In layout mode ("设计模式" On) the same screen places the four labels
// and chooses their fonts and colours for the real announcement.

#include <QList>
#include <memory>

#include "foundation/debate_profiles.h"
#include "foundation/platform/platform.h"
#include "foundation/widgets/full_screen_window.h"

class AnnouncementLabel;
class BackToMain;
class ProfileMusic;
class QComboBox;
class QGroupBox;
class QPushButton;
class QScrollBar;
struct CueSpec;

class Form11 : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit Form11(const AppContext& context, QWidget* parent = nullptr);
    ~Form11() override;

    bool inLayoutMode() const override;

    AnnouncementLabel* L1;
    AnnouncementLabel* L2;
    AnnouncementLabel* L3;
    AnnouncementLabel* L4;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command1;
    QPushButton* Command5;
    QPushButton* Command6;
    QScrollBar* HS1;
    QGroupBox* Frame1;
    QComboBox* C1;
    QGroupBox* Frame2;
    QComboBox* C2;
    QPushButton* Command7;

  private:
    // One side's score: the table of what differs between the two.
    struct Side {
        QString pictureKey;
        QString caption;
        QString team;
        QString score;
        const CueSpec* effect;
    };

    void buildControls();
    void connectControls();
    void open();
    void loadLabelFonts();

    void announceScore(const Side& side);
    void announceWinner();
    void placeLabels();
    void showPicture(const QString& key);
    void playEffect(const CueSpec& effect);

    void storePosition(AnnouncementLabel* label);
    void chooseFont();
    void chooseColour();
    void backToSettings();

    QList<AnnouncementLabel*> labels() const;
    QList<QWidget*> strip() const;
    QString profile() const;
    AnnouncementLabel* labelOf(const QString& objectText) const;

    AppContext context_;
    ProfileMusic* music_ = nullptr;
    BackToMain* backToMain_;
    std::unique_ptr<FontDialog> cg1_;
    std::unique_ptr<ColourDialog> cg2_;

    QString affirmativeTeam_;
    QString negativeTeam_;
    QString affirmativeScore_;
    QString negativeScore_;
    QString winner_;
    QString designMode_;
};
