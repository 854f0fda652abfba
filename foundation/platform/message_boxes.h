#pragma once

#include <QString>

#include "foundation/program.h"

enum class MessageIcon { None, Information, Warning, Critical, Question };

// Modal message boxes. A box without a title of its own shows "debaclock".
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // OK only.
    virtual void Show(const QString& text, const QString& title = {},
                      MessageIcon icon = MessageIcon::None) = 0;
    // OK and Cancel; true for OK.
    virtual bool Ask(const QString& text, const QString& title = {},
                     MessageIcon icon = MessageIcon::None) = 0;
    // Two buttons captioned `yes` and `no` (Esc is `no`), with the question icon; true for `yes`.
    virtual bool Choose(const QString& text, const QString& yes, const QString& no) = 0;
};
