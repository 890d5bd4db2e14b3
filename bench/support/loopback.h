#pragma once

#include <cstdint>
#include <vector>

/// A socket listening on 127.0.0.1 and an ephemeral port; port gets it.
int listenOnLoopback(std::uint16_t &port);

/// A socket connected to 127.0.0.1 at the port; -1 when nothing listens.
int connectToLoopback(std::uint16_t port);

/// Turns Nagle's delay off, as both ends of the robot link do.
void setNoDelay(int fd);

/// Sends all bytes on a blocking socket; false when the peer is gone.
bool sendAll(int fd, const std::vector<std::uint8_t> &bytes);
