#include "foundation/tournament_profile.h"

#include <algorithm>

bool IsTopicLevel(const QString& name) {
    return !name.isEmpty() && name.size() <= 64 &&
           std::none_of(name.cbegin(), name.cend(), [](QChar c) {
               return c == QLatin1Char('/') || c == QLatin1Char('+') || c == QLatin1Char('#') ||
                      c.category() == QChar::Other_Control;
           });
}
