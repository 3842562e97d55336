#include "postprocess/compare/profile_comparison.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "postprocess/compare/ray_trace.h"

namespace quorvane {

namespace {

constexpr int kWidestAngle = 70;

bool speedsPositive(std::span<const ProfilePoint> profile) {
    return std::all_of(profile.begin(), profile.end(), [](const ProfilePoint& point) {
        return std::isfinite(point.soundVelocity) && point.soundVelocity > 0.0;
    });
}

}  // namespace

std::optional<SurveyOrder> parseSurveyOrder(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    static constexpr std::pair<std::string_view, SurveyOrder> kNames[] = {
        {"exclusive", SurveyOrder::Exclusive},
        {"special", SurveyOrder::Special},
        {"1a", SurveyOrder::Order1a},
        {"1b", SurveyOrder::Order1b},
        {"2", SurveyOrder::Order2},
    };
    for (const auto& [name, order] : kNames) {
        if (lower == name) {
            return order;
        }
    }
    return std::nullopt;
}

TvuCoefficients tvuCoefficients(SurveyOrder order) {
    switch (order) {
        case SurveyOrder::Exclusive:
            return {0.15, 0.0075};
        case SurveyOrder::Special:
            return {0.25, 0.0075};
        case SurveyOrder::Order1a:
        case SurveyOrder::Order1b:
            return {0.5, 0.013};
        case SurveyOrder::Order2:
            break;
    }
    return {1.0, 0.023};
}

double totalVerticalUncertainty(SurveyOrder order, double depth) {
    const TvuCoefficients c = tvuCoefficients(order);
    return std::hypot(c.a, c.b * depth);
}

ProfileComparison compareProfiles(std::span<const ProfilePoint> newProfile,
                                  std::span<const ProfilePoint> reference,
                                  const ComparisonSettings& settings) {
    ProfileComparison result;
    result.order = settings.order;
    result.draft = settings.draft;
    result.allowedTvuShare = settings.allowedTvuShare;
    if (newProfile.empty() || reference.empty()) {
        result.problem = ComparisonProblem::EmptyProfile;
        return result;
    }
    if (!speedsPositive(newProfile) || !speedsPositive(reference)) {
        result.problem = ComparisonProblem::SpeedNotPositive;
        return result;
    }
    result.depth =
        settings.depth.value_or(std::min(newProfile.back().depth, reference.back().depth));
    if (!(result.depth > settings.draft)) {
        result.problem = ComparisonProblem::DepthNotBelowDraft;
        return result;
    }

    const RayProfile rayNew = rayProfileFrom(newProfile, settings.draft);
    const RayProfile rayReference = rayProfileFrom(reference, settings.draft);
    result.angles.reserve(kWidestAngle + 1);
    double largest = -1.0;
    for (int degree = 0; degree <= kWidestAngle; ++degree) {
        const double angle = degree;
        // The new profile's ray to the depth is also its trace for the time it takes; tracing it
        // again for that time would only give the depth back.
        const RayEnd atNew = traceToDepth(rayNew, angle, result.depth);
        const RayEnd atReference =
            atNew.turned ? RayEnd{} : traceForTime(rayReference, angle, atNew.oneWayTime);
        AngleDifference row;
        row.angle = angle;
        row.oneWayTime = atNew.oneWayTime;
        row.depthNew = atNew.depth;
        row.acrossNew = atNew.across;
        row.turned = atNew.turned || atReference.turned;
        if (!atNew.turned) {
            row.depthReference = atReference.depth;
            row.acrossReference = atReference.across;
            row.depthDifference = atReference.depth - atNew.depth;
            row.acrossDifference = atReference.across - atNew.across;
        }
        if (row.turned) {
            ++result.turnedAngles;
        } else if (std::abs(row.depthDifference) > largest) {
            largest = std::abs(row.depthDifference);
            result.largestDepthDifference = row.depthDifference;
            result.largestAtAngle = angle;
        }
        result.angles.push_back(row);
    }
    // The vertical ray never turns, so there is always a largest difference.
    result.largestPercentOfDepth = std::abs(result.largestDepthDifference) / result.depth * 100.0;
    result.tvu = totalVerticalUncertainty(settings.order, result.depth);
    result.tvuShare = std::abs(result.largestDepthDifference) / result.tvu;
    result.newCastAdvised = result.tvuShare > settings.allowedTvuShare;
    return result;
}

}  // namespace quorvane
