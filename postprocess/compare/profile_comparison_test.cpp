#include "postprocess/compare/profile_comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "postprocess/compare/compare_messages.h"
#include "postprocess/compare/probe_check.h"

namespace quorvane {
namespace {

std::vector<ProfilePoint> constant(double speed) {
    return {{0.0, speed, 0.0}, {200.0, speed, 0.0}};
}

// A ray through 1500 m/s reaches 200 m after 200/(1500 cos γ) s; at 1503 m/s it is then 0.2 %
// deeper at every angle, and 0.2 % further out: 0.4 m down, 0.4·tan γ m across.
TEST(ProfileComparisonTest, ConstantSpeedsThreeMetresApartDifferByATenthOfAPercent) {
    const ProfileComparison c = compareProfiles(constant(1500.0), constant(1503.0), {});
    ASSERT_EQ(c.problem, ComparisonProblem::None);
    ASSERT_EQ(c.angles.size(), 71u);
    EXPECT_EQ(c.depth, 200.0);
    EXPECT_NEAR(c.largestPercentOfDepth, 0.20, 1e-9);
    struct Case {
        size_t angle;
        double across;
    };
    for (const Case& k : {Case{0, 0.0}, Case{45, 0.4}, Case{70, 1.0989909677818488}}) {
        EXPECT_NEAR(c.angles[k.angle].depthDifference, 0.4, 1e-9) << k.angle;
        EXPECT_NEAR(c.angles[k.angle].acrossDifference, k.across, 1e-9) << k.angle;
    }
    // Order 1a at 200 m: √(0.5² + 2.6²) m.
    EXPECT_NEAR(c.tvu, 2.6476404589747453, 1e-12);
    EXPECT_FALSE(c.newCastAdvised);
}

TEST(ProfileComparisonTest, SwappingTheProfilesSwapsOnlyTheSigns) {
    const std::vector<ProfilePoint> summer = {
        {0.0, 1535.0, 0.0}, {20.0, 1534.0, 0.0}, {60.0, 1505.0, 0.0}, {300.0, 1490.0, 0.0}};
    const std::vector<ProfilePoint> spring = {
        {0.0, 1522.0, 0.0}, {35.0, 1519.0, 0.0}, {80.0, 1500.0, 0.0}, {280.0, 1491.0, 0.0}};
    const ProfileComparison ab = compareProfiles(summer, spring, {});
    const ProfileComparison ba = compareProfiles(spring, summer, {});
    EXPECT_EQ(ab.depth, 280.0);
    ASSERT_EQ(ab.angles.size(), ba.angles.size());
    for (size_t i = 0; i < ab.angles.size(); ++i) {
        // The time is always the first profile's, so the two agree to first order; what is left
        // grows with the speed difference (under 1 % here) and with the slant, as 1/cos²γ.
        const double slant = std::cos(ab.angles[i].angle * std::numbers::pi / 180.0);
        const double share = 0.01 / (slant * slant);
        const AngleDifference& there = ab.angles[i];
        const AngleDifference& back = ba.angles[i];
        EXPECT_NEAR(-back.depthDifference, there.depthDifference,
                    std::abs(there.depthDifference) * share + 1e-9)
            << i;
        EXPECT_NEAR(-back.acrossDifference, there.acrossDifference,
                    std::abs(there.acrossDifference) * share + 1e-9)
            << i;
    }
    EXPECT_GT(std::abs(ab.largestDepthDifference), 0.5);
    EXPECT_EQ(ab.largestAtAngle, ba.largestAtAngle);
}

TEST(ProfileComparisonTest, TheVerdictWeighsTheLargestDifferenceAgainstTheTvu) {
    struct Case {
        double referenceSpeed, depth;
        bool newCast;
    };
    // Special Order: 0.4 m at 200 m is 26 % of 1.52 m; 0.5 m at 50 m is 111 % of 0.45 m.
    for (const Case& k : {Case{1503.0, 200.0, false}, Case{1515.0, 50.0, true}}) {
        ComparisonSettings settings;
        settings.order = SurveyOrder::Special;
        settings.depth = k.depth;
        const ProfileComparison c =
            compareProfiles(constant(1500.0), constant(k.referenceSpeed), settings);
        EXPECT_EQ(c.newCastAdvised, k.newCast) << k.depth;
    }
    // The rays at 70° through 1500–1600 m/s over 100 m turn back at 96.3 m.
    const std::vector<ProfilePoint> steep = {{0.0, 1500.0, 0.0}, {100.0, 1600.0, 0.0}};
    const ProfileComparison turning = compareProfiles(steep, steep, {});
    EXPECT_EQ(turning.turnedAngles, 1u);
    EXPECT_TRUE(turning.angles[70].turned);
    EXPECT_EQ(turning.largestDepthDifference, 0.0);
}

TEST(ProfileComparisonTest, TheVerdictInWords) {
    ProfileComparison c;
    c.order = SurveyOrder::Special;
    c.depth = 50.0;
    c.largestDepthDifference = -0.5;
    c.largestAtAngle = 70.0;
    c.largestPercentOfDepth = 1.0;
    c.tvu = 0.45069390943299864;
    c.tvuShare = 1.1094003924504583;
    c.allowedTvuShare = 0.5;
    c.newCastAdvised = true;
    c.turnedAngles = 2;
    EXPECT_EQ(comparisonVerdict(c),
              (Text{"请重新投放：最大深度差0.50米（70°，水深的1.00%）为特等总垂直不确定度"
                    "（50.0米水深处0.45米）的111%，超过剖面可占的50%。"
                    "2个波束角的声线在该深度之上折返，未计入。",
                    "Take a new cast: the largest depth difference, 0.50 m at 70° (1.00 % of the "
                    "depth), is 111 % of the Special Order TVU (0.45 m at 50.0 m), more than the "
                    "50 % a profile may take. 2 beam angles turned back above that depth and were "
                    "left out."}));
    c.newCastAdvised = false;
    c.turnedAngles = 0;
    EXPECT_EQ(comparisonVerdict(c).en,
              "Within 111 % of the Special Order TVU: the largest depth difference is 0.50 m at "
              "70° (1.00 % of the depth), against a TVU of 0.45 m at 50.0 m.");
}

TEST(ProfileComparisonTest, ProfilesThatCannotBeCompared) {
    ComparisonSettings shallow;
    shallow.draft = 5.0;
    shallow.depth = 5.0;
    const std::vector<ProfilePoint> stopped = {{0.0, 0.0, 0.0}, {10.0, 1500.0, 0.0}};
    EXPECT_EQ(compareProfiles({}, constant(1500.0), {}).problem, ComparisonProblem::EmptyProfile);
    EXPECT_EQ(compareProfiles(constant(1500.0), stopped, {}).problem,
              ComparisonProblem::SpeedNotPositive);
    const ProfileComparison above = compareProfiles(constant(1500.0), constant(1500.0), shallow);
    EXPECT_EQ(above.problem, ComparisonProblem::DepthNotBelowDraft);
    EXPECT_EQ(comparisonVerdict(above).en,
              "The comparison depth (5.00 m) does not lie below the transducer draft (5.00 m); "
              "the profiles cannot be compared.");
}

// Order 1a and 1b share their coefficients.
TEST(ProfileComparisonTest, TheOrdersAndTheirTvu) {
    struct Case {
        const char* name;
        SurveyOrder order;
        double at100, at40;
    };
    for (const Case& k : {
             Case{"exclusive", SurveyOrder::Exclusive, 0.7648529270389177, 0.33541019662496846},
             Case{"Special", SurveyOrder::Special, 0.7905694150420949, 0.3905124837953327},
             Case{"1a", SurveyOrder::Order1a, 1.392838827718412, 0.7213875518748574},
             Case{"1B", SurveyOrder::Order1b, 1.392838827718412, 0.7213875518748574},
             Case{"2", SurveyOrder::Order2, 2.5079872407968904, 1.3588230201170421},
         }) {
        EXPECT_EQ(parseSurveyOrder(k.name), k.order) << k.name;
        EXPECT_NEAR(totalVerticalUncertainty(k.order, 100.0), k.at100, 1e-12) << k.name;
        EXPECT_NEAR(totalVerticalUncertainty(k.order, 40.0), k.at40, 1e-12) << k.name;
    }
    for (const char* wrong : {"", "3", "order 1a", "1c"}) {
        EXPECT_FALSE(parseSurveyOrder(wrong)) << wrong;
    }
}

TEST(ProbeCheckTest, TheProbeAgainstTheCastAtTheDraft) {
    const std::vector<ProfilePoint> cast = {{1.0, 1530.0, 0.0}, {11.0, 1520.0, 0.0}};
    struct Case {
        double probe, draft;
        ProbeCheckProblem problem;
        double difference;
        bool passed;
    };
    for (const Case& k : {
             Case{1527.5, 3.0, ProbeCheckProblem::None, -0.5, true},  // the cast: 1528
             Case{1530.0, 3.0, ProbeCheckProblem::None, 2.0, true},   // on the limit
             Case{1531.0, 6.0, ProbeCheckProblem::None, 6.0, false},  // the cast: 1525
             Case{1530.0, 0.5, ProbeCheckProblem::DraftOutsideCast, 0.0, false},
             Case{1520.0, 12.0, ProbeCheckProblem::DraftOutsideCast, 0.0, false},
         }) {
        const ProbeCheck check = checkSurfaceProbe(cast, k.probe, k.draft);
        EXPECT_EQ(check.problem, k.problem) << k.draft;
        EXPECT_NEAR(check.difference, k.difference, 1e-9) << k.draft;
        EXPECT_EQ(check.passed, k.passed) << k.draft;
    }
    EXPECT_EQ(checkSurfaceProbe({}, 1500.0, 3.0).problem, ProbeCheckProblem::EmptyCast);
    EXPECT_EQ(probeCheckText(checkSurfaceProbe(cast, 1530.0, 0.5)),
              (Text{"换能器吃水0.50米在剖面的深度范围（1.00–11.00米）之外，无法检查表层声速探头。",
                    "The transducer draft (0.50 m) lies outside the cast (1.00 to 11.00 m); the "
                    "surface probe cannot be checked against it."}));
    EXPECT_EQ(probeCheckText(checkSurfaceProbe(cast, 1531.0, 6.0)).en,
              "The surface probe reads 1531.00 m/s, the cast 1525.00 m/s at the 6.00 m draft: "
              "6.00 m/s apart, more than 2.00 m/s. Check the probe or take a new cast.");
}

}  // namespace
}  // namespace quorvane
