#include "hall/hall_server.h"

#include <QAction>
#include <QApplication>
#include <QJsonDocument>

#include "foundation/widgets/full_screen_window.h"
#include "hall/hall_network.h"
#include "hall/remote_message.h"
#include "hall/screen_snapshot.h"

namespace {

// A dialog waiting for the operator keeps the screens from clicks, and so from the remote too.
bool CanTakeACommand(const QAction* command) {
    return command->isEnabled() && !QApplication::activeModalWidget();
}

SharedText Shared(const QString& text) {
    return ShareText(text.toUtf8());
}

}  // namespace

HallServer::HallServer(Limits limits, QObject* parent) : QObject(parent), limits_(limits) {
    show(nullptr, {});
}

HallServer::~HallServer() {
    stop();
}

bool HallServer::start(quint16 port, QString* problem) {
    stop();
    const std::uint64_t run = ++run_;
    HallNetwork::Events events;
    events.clients = [this, run](int count) {
        fromNetwork(run, [this, count] {
            clients_ = count;
            emit clientsChanged();
        });
    };
    events.trigger = [this, run](std::uint64_t client, std::uint64_t screen,
                                 const QString& action) {
        fromNetwork(run, [this, client, screen, action] { runCommand(client, screen, action); });
    };
    events.notice = [this, run](std::uint64_t client, const QString& text, const QString& room) {
        fromNetwork(run, [this, client, text, room] { askForNotice(client, text, room); });
    };
    screenPublished_ = screenShown_;
    network_ = HallNetwork::Listen(
        port, {limits_, pages_, acceptsNotices_, token_, Shared(state_), screenShown_},
        std::move(events), problem);
    return network_ != nullptr;
}

void HallServer::stop() {
    if (!network_) {
        return;
    }
    network_.reset();
    ++run_;  // what the stopped network still had to say is not heard
    if (clients_ != 0) {
        clients_ = 0;
        emit clientsChanged();
    }
}

quint16 HallServer::port() const {
    return network_ ? network_->port() : 0;
}

void HallServer::fromNetwork(std::uint64_t run, std::function<void()> call) {
    // From the network's thread; this object outlives the network, which is joined in stop().
    QMetaObject::invokeMethod(
        this,
        [this, run, call = std::move(call)] {
            if (run == run_) {
                call();
            }
        },
        Qt::QueuedConnection);
}

void HallServer::setToken(const QString& token) {
    if (token == token_) {
        return;
    }
    token_ = token;
    if (network_) {
        network_->setToken(token);
    }
}

void HallServer::show(FullScreenWindow* screen, const QString& segment) {
    disconnect(screenChanges_);
    if (screen != screen_.data()) {
        ++screenShown_;
    }
    screen_ = screen;
    segment_ = segment;
    if (screen) {
        screenChanges_ =
            connect(screen, &FullScreenWindow::stateChanged, this, &HallServer::sendState);
    }
    sendState();
}

// Written once here; the network sends the same bytes to every client.
void HallServer::sendState() {
    const QString state = QString::fromUtf8(
        QJsonDocument(ScreenSnapshot(screen_, segment_)).toJson(QJsonDocument::Compact));
    const bool changed = state != state_;
    if (!changed && screenPublished_ == screenShown_) {
        return;
    }
    state_ = state;
    screenPublished_ = screenShown_;
    if (network_) {
        network_->publish(changed ? Shared(state_) : nullptr, screenShown_);
    }
}

void HallServer::publishState(const QString& state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    if (network_) {
        network_->publish(Shared(state_), screenShown_);
    }
}

void HallServer::keepState(const QString& state) {
    state_ = state;
    if (network_) {
        network_->keep(Shared(state_));
    }
}

void HallServer::sendToAll(const QString& message) {
    if (network_) {
        network_->sendToAll(Shared(message));
    }
}

void HallServer::sendTo(std::uint64_t client, const QString& message) {
    if (network_) {
        network_->sendTo(client, Shared(message));
    }
}

// Exactly what the click does, or nothing: a command the screen lacks or has disabled, or one
// that comes while a dialog waits for the operator, is refused. By now an earlier command (a
// double tap) may have put another screen up: this one was meant for the screen it was sent
// to, and runs only while that screen is projected. The new state follows from the screen.
void HallServer::runCommand(std::uint64_t client, std::uint64_t screen, const QString& action) {
    QAction* command = nullptr;
    if (screen_ && screen == screenShown_ && screen_->isVisible()) {
        for (QAction* candidate : screenCommands(screen_)) {
            if (candidate->objectName() == action) {
                command = candidate;
            }
        }
    }
    if (command && CanTakeACommand(command)) {
        command->trigger();
    } else {
        sendTo(client, RefusalText(Refusal::Unavailable));
    }
}

void HallServer::askForNotice(std::uint64_t client, const QString& text, const QString& room) {
    const QPointer<HallServer> server = this;
    const std::uint64_t run = run_;
    emit noticeRequested(text, room, [server, run, client](const QString& answer) {
        if (server && server->run_ == run) {
            server->sendTo(client, answer);
        }
    });
}
