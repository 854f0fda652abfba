#pragma once
// The hall's network as the operator switches it: "\config\remote.ini" says whether the server
// runs, on which port and with which token, and the server shows whatever audience screen the
// navigator reports, with one screen or two.

#include <QObject>
#include <QString>

#include "hall/hall_server.h"

class FullScreenWindow;
class ScreenNavigator;

class HallService : public QObject {
    Q_OBJECT
  public:
    HallService(QString appDir, ScreenNavigator& navigator, QObject* parent = nullptr);

    // Starts the server when the profile has it on.
    void startIfEnabled();
    // Switches the server on or off and keeps the choice; false when it could not start, and
    // problem() says why.
    bool setEnabled(bool on);
    // A fresh token, kept; every remote page of the old one is locked out.
    void newToken();

    bool isRunning() const { return server_.isRunning(); }
    QString problem() const { return problem_; }
    int clientCount() const { return server_.clientCount(); }
    // Where phones reach the mirror and the remote, token included.
    QString mirrorAddress() const;
    QString remoteAddress() const;
    HallServer& server() { return server_; }

  signals:
    void changed();

  private:
    QString setting(const QString& key) const;
    void keep(const QString& key, const QString& value) const;
    quint16 port() const;
    bool start();
    void showOnServer(FullScreenWindow* screen);

    QString appDir_;
    ScreenNavigator& navigator_;
    HallServer server_;
    QString problem_;
    QString token_;        // as kept in the profile
    QString hallAddress_;  // found when the server starts
};
