#pragma once
// The address a phone in the hall reaches this machine at.

#include <QHostAddress>

// The first IPv4 address of an interface that is up, runs and is not the loopback; the loopback
// when the machine has no network.
QHostAddress HallAddress();
