#include "foundation/platform/qt_network.h"

#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QStringDecoder>

#include "foundation/web_address.h"

namespace {

QString DecodedHtml(const QByteArray& bytes) {
    // The page's own charset, from its meta tag or its byte order mark; UTF-8 otherwise.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid()) {
        decoder = QStringDecoder(QStringDecoder::Utf8);
    }
    return decoder.decode(bytes);
}

}  // namespace

QtPageFetcher::QtPageFetcher(QObject* parent, int timeoutMs)
    : PageFetcher(parent), network_(new QNetworkAccessManager(this)), timeoutMs_(timeoutMs) {}

QtPageFetcher::~QtPageFetcher() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void QtPageFetcher::fetch(const QString& address) {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    const std::optional<QUrl> url = WebAddress(address);
    if (!url) {
        QMetaObject::invokeMethod(
            this, [this] { emit fetched(QString()); }, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(*url);
    request.setTransferTimeout(timeoutMs_);
    reply_ = network_->get(request);
    QNetworkReply* reply = reply_;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
}

void QtPageFetcher::onFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) {
        return;
    }
    reply_ = nullptr;
    // An error page of the server holds no notice: it counts as no page at all.
    const QString text = reply->error() == QNetworkReply::NoError
                             ? BodyText(DecodedHtml(reply->readAll()))
                             : QString();
    emit fetched(text);
}

bool NetworkOnline() {
    if (!QNetworkInformation::instance()) {
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    }
    const QNetworkInformation* information = QNetworkInformation::instance();
    return !information ||
           information->reachability() != QNetworkInformation::Reachability::Disconnected;
}
