#pragma once
// A colour setting of a settings page: a label "颜色预览" whose background is the colour. A
// double-click opens the colour dialog at the current colour; a cancelled dialog keeps it.

#include <QLabel>
#include <memory>
#include <optional>

class ColourDialog;
class WizardWindow;

class ColourPreview : public QLabel {
    Q_OBJECT
  public:
    ColourPreview(WizardWindow* page, const QString& name, const QString& toolTip);
    ~ColourPreview() override;

    // The colour as a Windows colour value (red in the low byte).
    quint32 value() const;
    QString valueText() const { return QString::number(value()); }
    // Takes a stored colour; a text that is not a colour value leaves the colour as it is.
    void load(const QString& stored);

  signals:
    // The operator chose `value` in the dialog.
    void chosen(quint32 value);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void show(const QColor& colour);

    std::unique_ptr<ColourDialog> dialog_;
};
