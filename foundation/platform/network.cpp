#include "foundation/platform/network.h"

#include <QTextDocument>

QString BodyText(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    // Non-breaking spaces read as blanks, as in a browser's text of the body.
    return document.toPlainText().replace(QChar::Nbsp, QLatin1Char(' '));
}
