#pragma once
// What the settings home needs from the network: a web page's text, and whether the machine is
// connected at all.

#include <QObject>
#include <QString>

// Fetches a web page, as the settings home's hidden browser does, and gives the plain text of
// its body (the markup gone, entities decoded, the text of <pre> blocks kept line by line).
class PageFetcher : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    ~PageFetcher() override = default;

    // Starts fetching `address`. `fetched` follows once, from the event loop: with the body's
    // plain text, or with the empty text when no page came (an address that is not http or
    // https, a refused or unreachable server, an error status, no answer within the bounded
    // wait). A new fetch abandons the one still under way.
    virtual void fetch(const QString& address) = 0;

  signals:
    void fetched(const QString& bodyText);
};

// The plain text of the body of `html`, as a browser gives it to a script.
QString BodyText(const QString& html);
