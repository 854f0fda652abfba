#include "hall/hall_network.h"

#include "hall/hall_hub.h"

std::unique_ptr<HallNetwork> HallNetwork::Listen(quint16 port, const Setup& setup, Events events,
                                                 QString* problem) {
    auto hub = std::make_unique<hallnet::Hub>(setup, std::move(events));
    if (!hub->listen(port, problem)) {
        return nullptr;
    }
    const quint16 bound = hub->port();
    return std::unique_ptr<HallNetwork>(new HallNetwork(std::move(hub), bound));
}

HallNetwork::HallNetwork(std::unique_ptr<hallnet::Hub> hub, quint16 port)
    : hub_(std::move(hub)), port_(port), thread_([hub = hub_.get()] { hub->run(); }) {}

HallNetwork::~HallNetwork() {
    hallnet::net::post(hub_->io(), [hub = hub_.get()] { hub->shutdown(); });
    thread_.join();
}

void HallNetwork::setToken(const QString& token) {
    hallnet::net::post(hub_->io(), [hub = hub_.get(), token] { hub->setToken(token); });
}

void HallNetwork::publish(SharedText state, std::uint64_t screen) {
    hallnet::net::post(hub_->io(), [hub = hub_.get(), state = std::move(state), screen] {
        hub->publish(state, screen);
    });
}

void HallNetwork::keep(SharedText state) {
    hallnet::net::post(hub_->io(),
                       [hub = hub_.get(), state = std::move(state)] { hub->keepState(state); });
}

void HallNetwork::sendToAll(SharedText message) {
    hallnet::net::post(
        hub_->io(), [hub = hub_.get(), message = std::move(message)] { hub->sendToAll(message); });
}

void HallNetwork::sendTo(ClientId client, SharedText message) {
    hallnet::net::post(hub_->io(), [hub = hub_.get(), client, message = std::move(message)] {
        hub->sendTo(client, message);
    });
}
