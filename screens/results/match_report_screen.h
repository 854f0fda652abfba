#pragma once
// The match report `Form12`: a small fixed window showing the report of the debate, composed
// once when it opens, with buttons to copy it or save it as a GBK text file. It replaces the
// main screen and brings it back however it is closed.

#include <QDateTime>
#include <QLocale>
#include <QWidget>
#include <memory>

#include "foundation/platform/platform.h"
#include "foundation/widgets/captioned_window.h"

class QPlainTextEdit;
class QPushButton;

// When a report is made and the regional forms its date and time are written in.
struct ReportStamp {
    QDateTime when;
    QLocale locale;

    // This moment, in the machine's regional settings.
    static ReportStamp Now();
    // The short date and time-of-day forms of `locale`.
    QString date() const;
    QString time() const;
};

// The message that says why a report was not saved; the reason follows it.
inline const QString kReportNotSaved = QStringLiteral("报表未能保存：");

class Form12 : public CaptionedWindow {
    Q_OBJECT
  public:
    explicit Form12(const AppContext& context, QWidget* parent = nullptr);
    Form12(const AppContext& context, const ReportStamp& stamp, QWidget* parent = nullptr);
    ~Form12() override;

    // The controls, named as on the layout.
    QPlainTextEdit* Text1;
    QPushButton* Command1;  // "复制此处内容"
    QPushButton* Command3;  // "另存为文本文件"

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    void copy();
    void save();

    AppContext context_;
    // The report as composed, with its CR LF line breaks; Text1 shows it and cannot change it.
    QString report_;
    std::unique_ptr<SaveFileDialog> commonDialog1_;
};
