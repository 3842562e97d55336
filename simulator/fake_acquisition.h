#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "network/datagram_network.h"
#include "send/acquisition_target.h"

namespace quorvane::sim {

// What the simulated sonar does wrong, when asked to.
enum class AcquisitionFault {
    None,
    Silent,   // takes the profile, answers nothing
    Shifted,  // answers with every speed 0.3 m/s too fast
    Late,     // answers after `lateMs`
    Garbage,  // answers with bytes that are no profile
};
std::optional<AcquisitionFault> acquisitionFaultNamed(std::string_view name);

struct AcquisitionOptions {
    TargetKind kind = TargetKind::Sis4;
    uint16_t port = 0;  // 0: the system picks one
    std::string replyHost = "127.0.0.1";
    uint16_t replyPort = kDefaultListenPort;
    AcquisitionFault fault = AcquisitionFault::None;
    int lateMs = 25000;
};

// A Kongsberg sonar's acquisition system on this computer's loopback, as far as profiles go:
// it checks every datagram it receives as SIS would (a sound S01/S12, the 12000 m point) and
// answers a good one with the profile it now uses, as a 'U' (SIS 4) or #SVP (SIS 5) datagram.
class FakeAcquisition {
  public:
    // Listening from construction; `problem` says why not when listening() is false.
    FakeAcquisition(const AcquisitionOptions& options, DatagramNetwork& network,
                    std::string& problem);
    bool listening() const { return receiver_ != nullptr; }
    uint16_t port() const { return receiver_->port(); }

    // Handles datagrams until `stop` says so or `count` were handled (0: no limit); says what
    // it made of each.
    void serve(const std::function<bool()>& stop,
               const std::function<void(const std::string&)>& say, int count = 0);

  private:
    std::string handle(const std::string& bytes, const std::function<bool()>& stop);

    AcquisitionOptions options_;
    DatagramNetwork& network_;
    std::unique_ptr<DatagramReceiver> receiver_;
};

}  // namespace quorvane::sim
