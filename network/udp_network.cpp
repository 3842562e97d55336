#include <asio.hpp>
#include <chrono>

#include <vector>
#include "network/datagram_network.h"

namespace quorvane {

namespace {

class UdpReceiver : public DatagramReceiver {
  public:
    UdpReceiver(asio::io_context& io, asio::ip::udp::socket socket)
        : io_(io), socket_(std::move(socket)), buffer_(kMaximumDatagram) {}

    std::optional<Arrival> receive(int timeoutMs) override {
        std::optional<Arrival> arrival;
        asio::ip::udp::endpoint sender;
        socket_.async_receive_from(
            asio::buffer(buffer_), sender, [&](const asio::error_code& error, size_t size) {
                if (!error) {
                    arrival =
                        Arrival{std::string(buffer_.data(), size), sender.address().to_string()};
                }
            });
        io_.restart();
        io_.run_for(std::chrono::milliseconds(timeoutMs));
        if (!io_.stopped()) {
            // Nothing came: the pending receive is cancelled and its handler run before the
            // locals it refers to go away.
            socket_.cancel();
            io_.restart();
            io_.run();
        }
        return arrival;
    }

    uint16_t port() const override { return socket_.local_endpoint().port(); }

  private:
    asio::io_context& io_;
    asio::ip::udp::socket socket_;
    std::vector<char> buffer_;
};

class UdpNetwork : public DatagramNetwork {
  public:
    std::string send(const std::string& host, uint16_t port, const std::string& bytes) override {
        asio::error_code error;
        asio::ip::udp::resolver resolver(io_);
        const auto endpoints =
            resolver.resolve(asio::ip::udp::v4(), host, std::to_string(port), error);
        if (error || endpoints.empty()) {
            return host + ": " + (error ? error.message() : std::string("no IPv4 address"));
        }
        asio::ip::udp::socket socket(io_);
        socket.open(asio::ip::udp::v4(), error);
        if (!error) {
            socket.send_to(asio::buffer(bytes), *endpoints.begin(), 0, error);
        }
        return error ? error.message() : std::string();
    }

    std::unique_ptr<DatagramReceiver> listen(uint16_t port, std::string& problem,
                                             ListenScope scope) override {
        asio::error_code error;
        asio::ip::udp::socket socket(io_);
        socket.open(asio::ip::udp::v4(), error);
        if (!error) {
            socket.bind(scope == ListenScope::Loopback
                            ? asio::ip::udp::endpoint(asio::ip::address_v4::loopback(), port)
                            : asio::ip::udp::endpoint(asio::ip::udp::v4(), port),
                        error);
        }
        if (error) {
            problem = "UDP port " + std::to_string(port) + ": " + error.message();
            return nullptr;
        }
        return std::make_unique<UdpReceiver>(io_, std::move(socket));
    }

  private:
    asio::io_context io_;
};

}  // namespace

std::unique_ptr<DatagramNetwork> makeUdpNetwork() {
    return std::make_unique<UdpNetwork>();
}

}  // namespace quorvane
