#pragma once

#include <QObject>

class SplashTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheVersion();
    void fadesInThenWaitsThreeSecondsThenFadesOut();
    void closeDuringFadeInJumpsToFadeOut();
    void closeDuringFadeOutChangesNothing();
};

class NavigatorTest : public QObject {
    Q_OBJECT
  private slots:
    void replaceShowsTheNewScreenThenClosesTheOld();
    void unknownScreenKeepsTheCurrentOne();
    void showMainLoadsAFreshMainOnlyWhenNoneIsOpen();
    void helpOpensTheShippedHelpPage();
};
