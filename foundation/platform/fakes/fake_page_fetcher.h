#pragma once

#include <QStringList>

#include "foundation/platform/network.h"

// A fetcher that reaches no network: it records the addresses asked for, and the test delivers
// the page's body text (or "" for no page) when it likes.
class FakePageFetcher : public PageFetcher {
    Q_OBJECT
  public:
    using PageFetcher::PageFetcher;

    void fetch(const QString& address) override { addresses << address; }
    void deliver(const QString& bodyText) { emit fetched(bodyText); }

    QStringList addresses;
};
