#pragma once

#include <span>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

enum class ProbeCheckProblem { None, EmptyCast, DraftOutsideCast };

// The sound speed a hull-mounted probe reads at the transducer against the cast at the draft.
// The sounder steers its beams with the probe's speed and ray-traces with the cast, so the two
// must agree where they meet.
struct ProbeCheck {
    ProbeCheckProblem problem = ProbeCheckProblem::None;
    double draft = 0.0;       // m
    double castTop = 0.0;     // m: the cast's depth range, for a draft outside it
    double castBottom = 0.0;  // m
    double probeSpeed = 0.0;  // m/s
    double castSpeed = 0.0;   // m/s, the cast at the draft
    double difference = 0.0;  // probe minus cast
    double limit = 0.0;       // m/s
    bool passed = false;
};

constexpr double kProbeSpeedLimit = 2.0;  // m/s

// A draft above the first point or below the last is refused: the cast says nothing there, and
// a speed carried over from its end would pass or fail the probe on a guess.
ProbeCheck checkSurfaceProbe(std::span<const ProfilePoint> cast, double probeSpeed, double draft,
                             double limit = kProbeSpeedLimit);

}  // namespace quorvane
