#pragma once

#include <QObject>

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void mayStart_data();
    void mayStart();
    void withoutGbkNothingStarts();
    void exitClosesAndDeletesEveryWindowBeforeReturning();
    void theProgramHoldsItsLaunchesWhileASetupMoves();
    void dialogsSpeakChinese();
};

class NavigatorTest : public QObject {
    Q_OBJECT
  private slots:
    void replaceShowsTheNewScreenThenClosesTheOld();
    void unknownScreenKeepsTheCurrentOne();
    void showMainLoadsAFreshMainOnlyWhenNoneIsOpen();
    void replaceAllLeavesOnlyTheNewScreen();
    void aScreenSetAsideComesBackAsItWasLeft();
    void everyScreenShownIsActivated();
    void screenOpenedOverStaysInFrontOfIt();
};
