#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The orders of IHO S-44 (6th edition), each with its total vertical uncertainty.
enum class SurveyOrder { Exclusive, Special, Order1a, Order1b, Order2 };

// "exclusive", "special", "1a", "1b", "2", in any case; nothing for anything else.
std::optional<SurveyOrder> parseSurveyOrder(std::string_view text);

// TVU = √(a² + (b·d)²) at a depth d (m), at the 95 % confidence level.
struct TvuCoefficients {
    double a = 0.0;  // m
    double b = 0.0;  // per metre of depth
};
TvuCoefficients tvuCoefficients(SurveyOrder order);
double totalVerticalUncertainty(SurveyOrder order, double depth);

struct ComparisonSettings {
    double draft = 0.0;  // m: the rays start here, at each profile's speed at this depth
    // Where the rays through the new profile end (m below the surface); none: the shallower of
    // the two profiles' deepest points, so that neither is judged on water it did not measure.
    std::optional<double> depth{};
    SurveyOrder order = SurveyOrder::Order1a;
    // A new cast is advised when the largest depth difference is more than this share of the
    // TVU. The sound speed is one of several sources the TVU must hold (motion, heave, draft,
    // tide, the sounder itself); a profile that takes more than half of it leaves the others too
    // little, as their shares add in quadrature.
    double allowedTvuShare = 0.5;
};

// One launch angle: both rays after the one-way time the new profile's ray takes to the depth.
struct AngleDifference {
    double angle = 0.0;       // degrees from the vertical
    double oneWayTime = 0.0;  // s
    double depthNew = 0.0, acrossNew = 0.0;
    double depthReference = 0.0, acrossReference = 0.0;
    // Reference minus new: where the reference profile would put the sounding the new profile
    // puts right.
    double depthDifference = 0.0;
    double acrossDifference = 0.0;
    // A ray turned back short of the depth or of the time; such an angle gives no sounding to
    // compare and is left out of the largest difference.
    bool turned = false;
};

enum class ComparisonProblem { None, EmptyProfile, SpeedNotPositive, DepthNotBelowDraft };

struct ProfileComparison {
    ComparisonProblem problem = ComparisonProblem::None;
    SurveyOrder order = SurveyOrder::Order1a;
    double draft = 0.0;
    double depth = 0.0;                     // m below the surface, where the new profile's rays end
    std::vector<AngleDifference> angles{};  // 0° to 70° by 1°
    size_t turnedAngles = 0;
    double largestDepthDifference = 0.0;  // signed, the largest in size of the angles compared
    double largestAtAngle = 0.0;
    double largestPercentOfDepth = 0.0;
    double tvu = 0.0;       // m, of the order at the depth
    double tvuShare = 0.0;  // |largest| / TVU
    double allowedTvuShare = 0.0;
    bool newCastAdvised = false;
};

// The new profile against a reference (the one the sounder holds, or the previous cast): where a
// beam's sounding moves if the reference is used instead of the new profile, at every launch
// angle a swath sounder uses, 0° to 70° by 1°. Swapping the two gives the same differences to
// within their own relative size (the time is always taken from the first profile).
ProfileComparison compareProfiles(std::span<const ProfilePoint> newProfile,
                                  std::span<const ProfilePoint> reference,
                                  const ComparisonSettings& settings);

}  // namespace quorvane
