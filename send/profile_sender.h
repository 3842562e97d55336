#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "network/datagram_network.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"
#include "postprocess/rawcast/profile_point.h"
#include "send/acquisition_target.h"
#include "send/sonar_receipt.h"

namespace quorvane {

// The longest a sender waits for a sonar's receipt.
inline constexpr int kReceiptWaitMs = 20000;

struct SendRequest {
    std::vector<AcquisitionTarget> targets;
    std::vector<ProfilePoint> fitted;
    CastTime utc;
    std::optional<CastPosition> position;
    int receiptWaitMs = kReceiptWaitMs;
};

enum class SendOutcome {
    Sent,          // went out; the package sends nothing back
    Confirmed,     // the sonar reports the profile it now uses, and it is the one sent
    NotConfirmed,  // it reports another profile
    NoAnswer,      // it reported nothing within the wait
    NotSent,       // it could not go out, or the receipt could not be listened for
    Cancelled,     // the user stopped the wait
};

struct SendReport {
    AcquisitionTarget target;
    SendOutcome outcome = SendOutcome::NotSent;
    size_t points = 0;            // in the datagram
    size_t salinityUnfitted = 0;  // of them, sent with salinity 0
    ReceiptCheck check{};         // for NotConfirmed: how far off, and where
    std::string problem{};        // for NotSent: why
};

// Whether the outcome leaves nothing to do: everything that can confirm confirmed.
bool sendSucceeded(const SendReport& report);
// The outcome as the cast library keeps it: "send sis5 confirmed".
std::string sentKind(const SendReport& report);

// Sends the profile to every target in turn. For a target that confirms, the receipt port is
// listened on before the datagram goes out and each arriving receipt of the sonar's kind is
// checked, until one confirms or the wait ends; anything else arriving there is passed over.
// `cancelled` is asked between waits of at most 100 ms; `reported` hears each target's report
// as it is made.
std::vector<SendReport> sendProfile(const SendRequest& request, DatagramNetwork& network,
                                    const std::function<bool()>& cancelled,
                                    const std::function<void(const SendReport&)>& reported);

}  // namespace quorvane
