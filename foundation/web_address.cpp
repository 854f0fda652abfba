#include "foundation/web_address.h"

std::optional<QUrl> WebAddress(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        return std::nullopt;
    }
    return url;
}
