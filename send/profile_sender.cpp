#include "send/profile_sender.h"

#include <chrono>

#include "send/profile_datagram.h"

namespace quorvane {

namespace {

constexpr int kCancelPollMs = 100;

std::optional<ReceivedProfile> receiptOf(TargetKind kind, const std::string& bytes) {
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()),
                                        bytes.size());
    return kind == TargetKind::Sis4 ? parseSisProfileDatagram(data) : parseKmallSvp(data);
}

// Waits for a receipt that confirms the sent points; the report says how it ended.
void awaitReceipt(DatagramReceiver& receiver, const ProfileDatagram& datagram, int waitMs,
                  const std::function<bool()>& cancelled, SendReport& report) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(waitMs);
    report.outcome = SendOutcome::NoAnswer;
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
        if (cancelled()) {
            report.outcome = SendOutcome::Cancelled;
            return;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        const std::optional<Arrival> arrival =
            receiver.receive(int(std::min<long long>(left.count() + 1, kCancelPollMs)));
        if (!arrival) {
            continue;
        }
        const std::optional<ReceivedProfile> received =
            receiptOf(report.target.kind, arrival->bytes);
        if (!received) {
            continue;
        }
        report.check = checkReceipt(datagram.points, *received);
        if (report.check.confirmed) {
            report.outcome = SendOutcome::Confirmed;
            return;
        }
        // Perhaps the profile it used before; the new one may still come.
        report.outcome = SendOutcome::NotConfirmed;
    }
}

SendReport sendOne(const SendRequest& request, const AcquisitionTarget& target,
                   DatagramNetwork& network, const std::function<bool()>& cancelled) {
    SendReport report{target};
    const ProfileDatagram datagram =
        buildProfileDatagram(target, request.fitted, request.utc, request.position);
    report.points = datagram.points.size();
    report.salinityUnfitted = datagram.salinityUnfitted;
    std::unique_ptr<DatagramReceiver> receiver;
    if (targetKindFacts(target.kind).confirms) {
        receiver = network.listen(target.listenPort, report.problem);
        if (!receiver) {
            return report;
        }
    }
    report.problem = network.send(target.host, target.port, datagram.bytes);
    if (!report.problem.empty()) {
        return report;
    }
    report.outcome = SendOutcome::Sent;
    if (receiver) {
        awaitReceipt(*receiver, datagram, request.receiptWaitMs, cancelled, report);
    }
    return report;
}

}  // namespace

std::string sentKind(const SendReport& report) {
    const char* outcome = "not sent";
    switch (report.outcome) {
        case SendOutcome::Sent:
            outcome = "sent";
            break;
        case SendOutcome::Confirmed:
            outcome = "confirmed";
            break;
        case SendOutcome::NotConfirmed:
            outcome = "not confirmed";
            break;
        case SendOutcome::NoAnswer:
            outcome = "no answer";
            break;
        case SendOutcome::Cancelled:
            outcome = "cancelled";
            break;
        case SendOutcome::NotSent:
            break;
    }
    std::string kind = "send ";
    kind.append(targetKindFacts(report.target.kind).name).append(" ").append(outcome);
    return kind;
}

bool sendSucceeded(const SendReport& report) {
    return report.outcome == SendOutcome::Confirmed ||
           (report.outcome == SendOutcome::Sent && !targetKindFacts(report.target.kind).confirms);
}

std::vector<SendReport> sendProfile(const SendRequest& request, DatagramNetwork& network,
                                    const std::function<bool()>& cancelled,
                                    const std::function<void(const SendReport&)>& reported) {
    std::vector<SendReport> reports;
    for (const AcquisitionTarget& target : request.targets) {
        reports.push_back(cancelled() ? SendReport{target, SendOutcome::Cancelled}
                                      : sendOne(request, target, network, cancelled));
        reported(reports.back());
    }
    return reports;
}

}  // namespace quorvane
