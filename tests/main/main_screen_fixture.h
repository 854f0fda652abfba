#pragma once
// A main screen over a throw-away program folder, with the moves and pictures its tests need.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "foundation/widgets/picture.h"
#include "screens/main/main_screen.h"
#include "support/screen_fixture.h"

struct MainScreenFixture : ScreenFixture {
    // Built on first use, so a test writes its profiles beforehand.
    Form4& form() {
        if (!form_) {
            form_ = std::make_unique<Form4>(context);
        }
        return *form_;
    }

    // A one-colour picture; PNG content, as the loader goes by content, not by extension.
    void writePicture(const QString& relative, QColor colour) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(colour);
        dir.writeBytes(relative, {});
        image.save(dir.path() + '/' + relative, "PNG");
    }
    // The colour Image1 shows, or an invalid colour when it shows no picture.
    QColor shownPicture() {
        const QPixmap shown = form().picture()->stretchedPicture();
        return shown.isNull() ? QColor() : shown.toImage().pixelColor(0, 0);
    }

    // A move over Image1 (or the window), without a button held.
    void moveMouse(QPoint position, bool overPicture = true) {
        QWidget* target = overPicture ? static_cast<QWidget*>(form().picture()) : &form();
        QMouseEvent move(QEvent::MouseMove, position, target->mapToGlobal(position), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    // Reveals the button column, then clicks `name` in it.
    void press(const QString& name) {
        moveMouse({1, 100});
        click(&form(), name);
    }
    // Picks `path` in the music dialog and plays it.
    FakeMediaPlayer& playMusic(const QString& path = QStringLiteral("/music/march.mp3")) {
        platform.dialogs.answerFile(path);
        press(QStringLiteral("Command17"));
        return *platform.mediaPlayer();
    }

  private:
    std::unique_ptr<Form4> form_;
};
