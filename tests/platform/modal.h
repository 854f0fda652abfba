#pragma once
// Drives a modal dialog from inside its own event loop: `act` runs on the first modal widget
// of type W once it is up. `act` must close the dialog; it records what it saw for the test
// to check after the dialog has returned.

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

template <typename W>
void OnModal(std::function<void(W*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    auto rounds = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, rounds, act] {
        // Bounded, so a dialog that never comes cannot keep the timer alive.
        auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!widget && ++*rounds < 1000) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (widget) {
            act(widget);
        }
    });
    timer->start();
}
