#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// `text` (blanks around it ignored) as a web address: an http or https address with a host;
// nullopt for anything else (a file, a program, another scheme, the empty text).
std::optional<QUrl> WebAddress(const QString& text);
