#pragma once
// Form20 and Form9: the audience-question and guest-commentary timers.

#include "timing/clock_screen.h"

class SideTimer : public ClockScreen {
    Q_OBJECT
  public:
    SideTimer(const AppContext& context, const QString& objectName, QWidget* parent = nullptr);
};

class Form20 : public SideTimer {
    Q_OBJECT
  public:
    explicit Form20(const AppContext& context, QWidget* parent = nullptr)
        : SideTimer(context, QStringLiteral("Form20"), parent) {}
};

class Form9 : public SideTimer {
    Q_OBJECT
  public:
    explicit Form9(const AppContext& context, QWidget* parent = nullptr)
        : SideTimer(context, QStringLiteral("Form9"), parent) {}
};
