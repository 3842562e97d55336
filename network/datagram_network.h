#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quorvane {

// The largest payload of one UDP datagram over IPv4.
inline constexpr size_t kMaximumDatagram = 65507;

// A datagram that came in on a listened port.
struct Arrival {
    std::string bytes;
    std::string from;  // the sender's address
};

// Datagrams coming in on one port, until destroyed.
class DatagramReceiver {
  public:
    virtual ~DatagramReceiver() = default;
    // The next datagram, waiting at most `timeoutMs`; nothing when none came.
    virtual std::optional<Arrival> receive(int timeoutMs) = 0;
    // The port it listens on: the system's choice when 0 was asked for.
    virtual uint16_t port() const = 0;
};

// Where a receiver listens: every address of this computer, or its own loopback only (the
// simulated acquisition system, which nothing else on the network must reach).
enum class ListenScope { AnyAddress, Loopback };

// The network as the sender uses it: one datagram out to a host, datagrams in on a port. UDP
// in the program, a fake in tests.
class DatagramNetwork {
  public:
    virtual ~DatagramNetwork() = default;
    // Empty when the datagram went out, else why it could not (an unknown host, no route).
    virtual std::string send(const std::string& host, uint16_t port, const std::string& bytes) = 0;
    // A receiver on the port, or nothing and `problem` says why (the port is taken). It must
    // not outlive the network.
    virtual std::unique_ptr<DatagramReceiver> listen(
        uint16_t port, std::string& problem, ListenScope scope = ListenScope::AnyAddress) = 0;
};

// UDP over IPv4, through standalone Asio.
std::unique_ptr<DatagramNetwork> makeUdpNetwork();

}  // namespace quorvane
