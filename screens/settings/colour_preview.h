#pragma once
// A colour setting of a settings page: a label "颜色预览" whose background is the colour. A
// double-click opens the colour dialog at the current colour; a cancelled dialog keeps it. A
// setting whose profile holds no colour shows "未设置" and is saved as nothing, so a save never
// stores a colour the operator did not choose.

#include <QLabel>
#include <memory>
#include <optional>

class ColourDialog;
class ProfileSave;
class WizardWindow;

class ColourPreview : public QLabel {
    Q_OBJECT
  public:
    ColourPreview(WizardWindow* page, const QString& name, const QString& toolTip);
    ~ColourPreview() override;

    // The colour as a Windows colour value (red in the low byte); none while not set.
    std::optional<quint32> value() const { return colour_; }
    // Takes a stored colour; a text that is not a colour value shows "未设置".
    void load(const QString& stored);
    // Adds the colour to `save`, into `file` (the save's own file when empty); adds nothing
    // while not set.
    void saveTo(ProfileSave& save, const QString& section, const QString& key,
                const QString& file = {}) const;

  signals:
    // The operator chose `value` in the dialog.
    void chosen(quint32 value);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void show(std::optional<quint32> colour);

    std::unique_ptr<ColourDialog> dialog_;
    std::optional<quint32> colour_;
};
