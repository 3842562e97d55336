#include "simulator/fake_acquisition.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "postprocess/export/profile_writers.h"
#include "send/kongsberg_reader.h"
#include "send/sonar_receipt.h"

namespace quorvane::sim {

namespace {

constexpr double kShift = 0.3;
constexpr int kPollMs = 100;

CastTime utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
#if defined(_WIN32)
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

}  // namespace

std::optional<AcquisitionFault> acquisitionFaultNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, AcquisitionFault> kNames[] = {
        {"none", AcquisitionFault::None},
        {"silent", AcquisitionFault::Silent},
        {"shifted", AcquisitionFault::Shifted},
        {"late", AcquisitionFault::Late},
        {"garbage", AcquisitionFault::Garbage}};
    for (const auto& [text, fault] : kNames) {
        if (text == name) {
            return fault;
        }
    }
    return std::nullopt;
}

FakeAcquisition::FakeAcquisition(const AcquisitionOptions& options, DatagramNetwork& network,
                                 std::string& problem)
    : options_(options),
      network_(network),
      receiver_(network.listen(options.port, problem, ListenScope::Loopback)) {}

void FakeAcquisition::serve(const std::function<bool()>& stop,
                            const std::function<void(const std::string&)>& say, int count) {
    for (int handled = 0; !stop() && (count == 0 || handled < count);) {
        if (const std::optional<Arrival> arrival = receiver_->receive(kPollMs)) {
            say(handle(arrival->bytes, stop));
            ++handled;
        }
    }
}

std::string FakeAcquisition::handle(const std::string& bytes, const std::function<bool()>& stop) {
    std::string problem;
    const std::optional<KongsbergProfile> profile = readKongsbergDatagram(bytes, problem);
    if (!profile) {
        return "refused: " + problem;
    }
    std::vector<ProfilePoint> points = profile->points;
    if (points.back().depth != kSisMaximumDepth) {
        return "refused: no 12000 m point";
    }
    const std::string taken = "took " + std::to_string(points.size()) + " points";
    std::string answer;
    switch (options_.fault) {
        case AcquisitionFault::Silent:
            return taken + ", answered nothing";
        case AcquisitionFault::Garbage:
            answer = std::string("\x02U not a profile at all", 24);
            break;
        case AcquisitionFault::Late:
            for (int waited = 0; waited < options_.lateMs && !stop(); waited += kPollMs) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            }
            break;
        case AcquisitionFault::Shifted:
            for (ProfilePoint& point : points) point.soundVelocity += kShift;
            break;
        case AcquisitionFault::None:
            break;
    }
    if (answer.empty()) {
        answer = options_.kind == TargetKind::Sis4 ? sisProfileDatagram(points, utcNow())
                                                   : kmallSvpDatagram(points, utcNow());
    }
    const std::string failed = network_.send(options_.replyHost, options_.replyPort, answer);
    return taken + (failed.empty() ? ", answered" : ", could not answer: " + failed);
}

}  // namespace quorvane::sim
