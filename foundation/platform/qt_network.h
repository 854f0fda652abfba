#pragma once

#include <QPointer>

#include "foundation/platform/network.h"

class QNetworkAccessManager;
class QNetworkReply;

// Fetches over QNetworkAccessManager, asynchronously: the screen never waits for it. A server
// that does not answer is given up after `timeoutMs`.
class QtPageFetcher : public PageFetcher {
    Q_OBJECT
  public:
    static constexpr int kDefaultTimeoutMs = 15000;

    explicit QtPageFetcher(QObject* parent = nullptr, int timeoutMs = kDefaultTimeoutMs);
    ~QtPageFetcher() override;

    void fetch(const QString& address) override;

  private:
    void onFinished(QNetworkReply* reply);

    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    int timeoutMs_;
};

// True unless the system says there is no network connection; a system that cannot tell counts
// as connected, and the fetch itself decides.
bool NetworkOnline();
