#pragma once
// Form13: the settings home. The operator chooses the wizard's theme here and sees the program's
// version; when the machine is online the home fetches the notice page named in
// "\Update\Update.ini", shows its notice and says whether a newer version exists. It leads to
// the about and developer screens and to the first wizard page, and is only hidden, never
// closed, while the wizard pages run.

#include "screens/settings/wizard_window.h"

class BackToMain;
class PageFetcher;
class QComboBox;
class QLabel;
class QPushButton;
class QTextBrowser;

inline const QString kVersionChecking = QStringLiteral("正在获取版本信息……");
inline const QString kVersionCurrent = QStringLiteral("已是最新版本！");
inline const QString kVersionUnknown = QStringLiteral("抱歉，未能获取版本信息！");
inline const QString kDownloadFailed = QStringLiteral("连接原网页时出现错误！");
inline const QString kDownloadFailedTitle = QStringLiteral("错误：");

// The markers the notice page's body text is cut at.
namespace NoticeMarker {
inline const QString SourceStart = QStringLiteral("[*debaclock公告源码*]");
inline const QString SourceEnd = QStringLiteral("[*源码结束*]");
inline const QString Version = QStringLiteral("[*版本号*]");
inline const QString Date = QStringLiteral("[*更新日期*]");
inline const QString Download = QStringLiteral("[*文件地址*]");
inline const QString Site = QStringLiteral("[*官方网站*]");
inline const QString Publisher = QStringLiteral("[*发布方*]");
}  // namespace NoticeMarker

class Form13 : public WizardWindow {
    Q_OBJECT
  public:
    explicit Form13(const AppContext& context, QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* C1;
    QLabel* Label2;
    QTextBrowser* WebBrowser2;
    PageFetcher* WebBrowser1;
    QLabel* Ver_info;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    // Match setups: one file that carries the whole debate.
    QPushButton* ExportSetup;
    QPushButton* ImportSetup;
    QPushButton* UndoImport;

  private:
    void buildControls();
    void connectControls();
    void open();
    // One of the local pages under "\html\", shown as inert text and markup.
    void showLocalPage(const QString& name);
    void noticePageCompleted(const QString& bodyText);
    void chooseTheme();
    void showStoredTheme();
    void download();

    BackToMain* backToMain_;
    QString noticeAddress_;
    QString downloadAddress_;
};
