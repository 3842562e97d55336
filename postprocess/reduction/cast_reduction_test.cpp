#include "postprocess/reduction/cast_reduction.h"

#include <gtest/gtest.h>

#include "postprocess/reduction/reduction_messages.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

#include "postprocess/reduction/gravity.h"

namespace quorvane {
namespace {

std::vector<double> depths(const std::vector<ProfilePoint>& points) {
    std::vector<double> out;
    for (const ProfilePoint& p : points) out.push_back(p.depth);
    return out;
}

// A data set whose records sit at the given depths (latitude 30°, density 1, surface 1 bar).
CastData castAtDepths(const std::vector<double>& ds, float interval) {
    CastData data;
    data.latitude = 30.0f;
    data.density = 1.0f;
    data.surfacePressure = 1.0f;
    data.depthInterval = interval;
    const double g = effectiveGravity(30.0f);
    int n = 0;
    for (double d : ds) {
        data.rawRecords.push_back(
            RawRecord::make(++n, 1500.0f, 10.0f, static_cast<float>(1.0 + d * g / 100.0)));
    }
    return data;
}

TEST(Gravity, WorkedExampleAt30Degrees) {
    EXPECT_NEAR(LocalGravity(30.0 * kDegreesToRadians), 9.79324, 5e-6);
    EXPECT_NEAR(depthFromPressure(2.0, 1.0, 30.0f, 1.0f), 10.2111, 5e-5);
    // An unset density falls back to fresh water rather than dividing by zero.
    EXPECT_DOUBLE_EQ(depthFromPressure(2.0, 1.0, 30.0f, 0.0f),
                     depthFromPressure(2.0, 1.0, 30.0f, 1.0f));
}

TEST(ReduceSamples, AcceptanceLimitsAreInclusive) {
    // The last four lie at or above the surface or below 500 m.
    struct Case {
        float velocity, temperature, pressure;
        bool kept;
    } cases[] = {
        {1299.9f, 10, 2, false},  {1300.0f, 10, 2, true},  {1800.0f, 10, 2, true},
        {1800.1f, 10, 2, false},  {1500, -40.0f, 2, true}, {1500, 80.0f, 2, true},
        {1500, -40.1f, 2, false}, {1500, 80.1f, 2, false}, {NAN, 10, 2, false},
        {1500, NAN, 2, false},    {1500, 10, 1.0f, false}, {1500, 10, 0.5f, false},
        {1500, 10, 51.0f, false}, {1500, 10, NAN, false},
    };
    for (const Case& c : cases) {
        CastData data;
        data.surfacePressure = 1.0f;
        data.rawRecords.push_back(RawRecord::make(1, c.velocity, c.temperature, c.pressure));
        ReduceSamples(data);
        EXPECT_EQ(data.rawProfile.size(), c.kept ? 1u : 0u)
            << c.velocity << " " << c.temperature << " " << c.pressure;
    }
}

TEST(ReduceSamples, ThinsAgainstLastAcceptedSampleBothWays) {
    struct Case {
        std::vector<double> in;
        float interval;
        std::vector<double> kept;
    } cases[] = {
        {{1.0, 1.3, 1.5001, 2.1}, 0.5f, {1.0, 1.5001, 2.1}},
        {{3.0, 1.0, 1.2, 0.9}, 0.5f, {3.0, 1.0}},             // first sample never thinned
        {{5.0, 4.8, 4.4, 4.0}, 0.5f, {5.0, 4.4}},             // on the way up too
        {{1.0, 1.0001, 1.0002}, NAN, {1.0, 1.0001, 1.0002}},  // NaN thins nothing
    };
    for (const Case& c : cases) {
        CastData data = castAtDepths(c.in, c.interval);
        ReduceSamples(data);
        ASSERT_EQ(data.rawProfile.size(), c.kept.size());
        for (size_t i = 0; i < c.kept.size(); ++i) {
            EXPECT_NEAR(data.rawProfile[i].depth, c.kept[i], 1e-4);
        }
        EXPECT_EQ(data.rawRecordCount, int32_t(c.in.size()));
    }
}

TEST(ReduceSamples, RangesAreExtremesOfRawProfile) {
    CastData data = castAtDepths({2.0, 7.0, 4.0}, 0.5f);
    data.rawRecords[1] = RawRecord::make(2, 1490, 4, data.rawRecords[1].pressure());
    ReduceSamples(data);
    EXPECT_NEAR(data.depthMin, 2.0, 1e-4);
    EXPECT_NEAR(data.depthMax, 7.0, 1e-4);
    EXPECT_EQ(data.velocityMin, 1490);
    EXPECT_EQ(data.velocityMax, 1500);
    EXPECT_EQ(data.temperatureMin, 4);
    EXPECT_EQ(data.temperatureMax, 10);
}

TEST(ReduceSamples, SettingsThatAcceptNothingLeaveNoStaleFit) {
    CastData data = castAtDepths({1, 2, 3, 4, 3, 2, 1}, 0.5f);
    ReduceSamples(data);
    ASSERT_FALSE(data.fittedProfile.empty());
    data.density = 0.001f;  // every depth is now beyond 500 m
    EXPECT_EQ(ReduceSamples(data), FitStatus::NothingToFit);
    EXPECT_TRUE(data.rawProfile.empty());
    EXPECT_TRUE(data.downCast.empty() && data.upCast.empty() && data.fittedProfile.empty());
}

TEST(SplitCasts, SplitsAtFirstDeepestSample) {
    struct Case {
        std::vector<double> raw, down, up;
    } cases[] = {
        {{1, 2, 3, 2, 1}, {1, 2, 3}, {3, 2, 1}},
        {{1, 3, 2, 3, 1}, {1, 3}, {3, 2, 3, 1}},
        {{3, 2, 1}, {3}, {3, 2, 1}},
        {{1e-7, 1e-7}, {}, {1e-7, 1e-7}},  // a bottom that does not exceed 1e-6 is not added
    };
    for (const Case& c : cases) {
        CastData data;
        data.depthInterval = 0.5f;
        for (double d : c.raw) data.rawProfile.push_back({d, 1500, 10});
        data.depthMin = *std::min_element(c.raw.begin(), c.raw.end());
        data.depthMax = *std::max_element(c.raw.begin(), c.raw.end());
        SplitCasts(data);
        EXPECT_EQ(depths(data.downCast), c.down);
        EXPECT_EQ(depths(data.upCast), c.up);
    }
}

// A fitted profile loaded on its own has no raw samples; splitting must not lose it.
TEST(SplitCasts, EmptyProfileClearsNothing) {
    CastData data;
    data.fittedProfile.push_back({1, 1500, 10});
    EXPECT_EQ(SplitCasts(data), FitStatus::NothingToFit);
    EXPECT_EQ(data.fittedProfile.size(), 1u);
}

// The casts to fit on the grid from depthMin to depthMax.
CastData toFit(std::vector<ProfilePoint> down, std::vector<ProfilePoint> up, double depthMin,
               double depthMax, float interval) {
    CastData data;
    data.downCast = std::move(down);
    data.upCast = std::move(up);
    data.depthMin = depthMin;
    data.depthMax = depthMax;
    data.depthInterval = interval;
    return data;
}

// Exact: the grid depth is the repeated float addition itself, and the values follow it.
void expectSameProfile(const std::vector<ProfilePoint>& got,
                       const std::vector<ProfilePoint>& want) {
    const auto fields = [](const std::vector<ProfilePoint>& points) {
        std::vector<std::tuple<double, double, double>> out;
        for (const ProfilePoint& p : points) {
            out.emplace_back(p.depth, p.soundVelocity, p.temperature);
        }
        return out;
    };
    EXPECT_EQ(fields(got), fields(want));
}

TEST(FitProfile, InterpolatesExtrapolatesAndAveragesCasts) {
    const std::vector<ProfilePoint> down = {{1, 1500, 10}, {2, 1510, 9}, {3, 1520, 8}};
    const struct {
        const char* name;
        std::vector<ProfilePoint> down, up, fitted;
    } cases[] = {
        {"both casts; points' own depths get nothing",
         down,
         {{3, 1520, 8}, {2, 1512, 9}, {1, 1502, 10}},
         {{1.5, 1506, 9.5}, {2.5, 1515.5, 8.5}}},
        {"one-point cast contributes everywhere",
         down,
         {{3, 1520, 8}},
         {{1, 1520, 8}, {1.5, 1512.5, 8.75}, {2, 1520, 8}, {2.5, 1517.5, 8.25}, {3, 1520, 8}}},
        {"two-point cast contributes nothing",
         down,
         {{3, 1520, 8}, {1, 1400, 0}},
         {{1.5, 1505, 9.5}, {2.5, 1515, 8.5}}},
        {"extrapolation beyond both ends",
         {{1.5, 1505, 0}, {2, 1510, 0}, {2.5, 1515, 0}},
         {},
         {{1, 1500, 0}, {3, 1520, 0}}},
        {"same-depth pair defines no line",
         {{2, 1500, 5}, {2, 1510, 5}, {3, 1520, 5}},
         {},
         {{2.5, 1515, 5}}},
    };
    for (const auto& c : cases) {
        CastData data = toFit(c.down, c.up, 1.0, 3.0, 0.5f);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FitProfile(data), FitStatus::Fitted);
        expectSameProfile(data.fittedProfile, c.fitted);
    }
}

// The fit exactly as written down: stable sort, then a scan for the first bracketing pair.
std::vector<ProfilePoint> referenceFit(CastData data) {
    const auto valueAt = [](const std::vector<ProfilePoint>& c,
                            double d) -> std::optional<ProfilePoint> {
        const size_t m = c.size();
        if (m == 1) {
            return ProfilePoint{d, c[0].soundVelocity, c[0].temperature};
        }
        if (m < 3) {
            return std::nullopt;
        }
        // Outside the cast the end pair is extended; inside, a pair must hold d strictly.
        size_t j = d < c[0].depth ? 0 : m - 2;
        if (!(d < c[0].depth) && !(d > c[m - 1].depth)) {
            j = 0;
            while (j + 1 < m && !(c[j].depth < d && d < c[j + 1].depth)) {
                ++j;
            }
            if (j + 1 == m) {
                return std::nullopt;
            }
        }
        const ProfilePoint& p = c[j];
        const ProfilePoint& q = c[j + 1];
        if (q.depth == p.depth) {
            return std::nullopt;
        }
        const double kv = (q.soundVelocity - p.soundVelocity) / (q.depth - p.depth);
        const double kt = (q.temperature - p.temperature) / (q.depth - p.depth);
        return ProfilePoint{d, p.soundVelocity - kv * p.depth + kv * d,
                            p.temperature - kt * p.depth + kt * d};
    };
    const auto byDepth = [](const ProfilePoint& a, const ProfilePoint& b) {
        return a.depth < b.depth;
    };
    std::stable_sort(data.downCast.begin(), data.downCast.end(), byDepth);
    std::stable_sort(data.upCast.begin(), data.upCast.end(), byDepth);
    std::vector<ProfilePoint> out;
    for (double d = data.depthMin; d <= data.depthMax; d += data.depthInterval) {
        int n = 0;
        double v = 0, t = 0;
        for (const auto* c : {&data.downCast, &data.upCast}) {
            if (const auto p = valueAt(*c, d)) {
                v += p->soundVelocity, t += p->temperature, ++n;
            }
        }
        if (n > 0) {
            out.push_back({d, v / n, t / n});
        }
    }
    return out;
}

TEST(FitProfile, MatchesTheStraightforwardFitOnRandomCasts) {
    uint32_t state = 99;
    const auto next = [&](int range) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % uint32_t(range));
    };
    for (int round = 0; round < 200; ++round) {
        CastData data;
        // Coarse depths so that ties and grid hits are common.
        for (auto* cast : {&data.downCast, &data.upCast}) {
            for (int i = next(round < 150 ? 12 : 60); i > 0; --i) {
                cast->push_back({next(20) * 0.25, 1450.0 + next(100), next(30) * 0.5});
            }
        }
        data.depthMin = next(4) * 0.25;
        data.depthMax = 5.0;
        data.depthInterval = round % 2 ? 0.25f : 0.1f;
        const std::vector<ProfilePoint> expected = referenceFit(data);
        FitProfile(data);
        SCOPED_TRACE(round);
        expectSameProfile(data.fittedProfile, expected);
        if (HasFailure()) {
            return;
        }
    }
}

// The random casts start on dyadic depths, where repeated addition and multiplication agree;
// from 1.01 m in steps of 0.7f they part after about 16 m.
TEST(FitProfile, GridIsRepeatedAdditionOfTheFloatInterval) {
    CastData data = toFit({{0, 1500, 10}}, {}, 1.01, 20.0, 0.7f);
    FitProfile(data);
    double d = 1.01;
    for (const ProfilePoint& p : data.fittedProfile) {
        EXPECT_EQ(p.depth, d);  // bit for bit: the grid depth itself is stored
        d += double(0.7f);
    }
    EXPECT_EQ(data.fittedProfile.size(), 28u);
}

TEST(FitProfile, DepthsTooLargeForTheIntervalStillEndTheGrid) {
    // An edited depth of 1e20 m: adding 0.5 no longer changes the grid depth.
    CastData data = toFit({{1e20, 1500, 10}, {1e20, 1501, 10}, {1e20, 1502, 10}},
                          {{1e20, 1503, 10}}, 1e20, 1e20, 0.5f);
    EXPECT_EQ(FitProfile(data), FitStatus::Fitted);
    ASSERT_EQ(data.fittedProfile.size(), 1u);
    EXPECT_EQ(data.fittedProfile[0].soundVelocity, 1503);  // the one-point cast alone
}

TEST(FitProfile, UnusableIntervalStopsWithoutGridAndReportsIt) {
    const float intervals[] = {0.0f, -0.5f, NAN, INFINITY, 1e-6f};
    for (float interval : intervals) {
        CastData data = castAtDepths({1, 50, 100, 50, 1}, interval);
        const FitStatus status = ReduceSamples(data);
        EXPECT_EQ(status, FitStatus::BadDepthInterval) << interval;
        EXPECT_TRUE(data.fittedProfile.empty());
        EXPECT_FALSE(data.rawProfile.empty());
        const auto message = fitStatusMessage(status, data);
        ASSERT_TRUE(message.has_value());
        EXPECT_NE(message->text.en.find("at least 0.1 m and press Reset"), std::string::npos);
        EXPECT_NE(message->text.zh.find("重置"), std::string::npos);
    }
    CastData fitted = castAtDepths({1, 2, 3}, 0.5f);
    EXPECT_EQ(ReduceSamples(fitted), FitStatus::Fitted);
    EXPECT_FALSE(fitStatusMessage(FitStatus::Fitted, fitted).has_value());
}

// An edited depth far below the rest makes too many grid depths even at a sound interval: the
// message must point at the depths, not ask for the interval the user already has.
TEST(FitProfile, DepthRangeTooLargeForTheGridNamesTheDepths) {
    CastData data = toFit({{1, 1500, 10}, {2, 1500, 10}, {1e6, 1500, 10}}, {}, 1, 1e6, 0.5f);
    const FitStatus status = FitProfile(data);
    EXPECT_EQ(status, FitStatus::DepthRangeTooLarge);
    EXPECT_TRUE(data.fittedProfile.empty());
    const auto message = fitStatusMessage(status, data);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text.en,
              "The depths from 1 m to 1e+06 m span too much to fit at a depth interval of 0.5 m. "
              "Please check the depths in the data list.");
    EXPECT_EQ(message->text.zh,
              "深度1 m至1e+06 m的范围过大，无法按水深间隔0.5 m拟合。请检查数据列表中的深度。");
}

}  // namespace
}  // namespace quorvane
