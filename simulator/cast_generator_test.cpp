#include "simulator/cast_generator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/testing/temp_dir_test.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/gravity.h"

namespace quorvane::sim {
namespace {

class CastGeneratorTest : public test::TempDirTest {
  protected:
    CastData load(const std::vector<uint8_t>& bytes) const {
        CastData data;
        const RawLoadResult result = LoadRawFile(data, write("cast.bin", bytes));
        EXPECT_TRUE(result.scanned);
        EXPECT_TRUE(result.problems.empty());
        return data;
    }
};

CastOptions withDepth(double maxDepth, uint64_t seed = 1, bool garbage = false) {
    CastOptions options;
    options.maxDepth = maxDepth;
    options.seed = seed;
    options.garbage = garbage;
    return options;
}

// Positions in the data part where a sync pair starts that the reader must step over.
size_t brokenSyncPairs(const std::vector<uint8_t>& bytes) {
    size_t count = 0;
    for (size_t i = kRawHeaderSize; i + kRawRecordSize <= bytes.size(); ++i) {
        if (bytes[i] == kRecordSync1 && bytes[i + 1] == kRecordSync2 && !isValidRecord(&bytes[i])) {
            ++count;
        }
    }
    return count;
}

TEST(CastGenerator, SeedDecidesTheBytes) {
    EXPECT_EQ(generateCast(withDepth(30, 7, true)), generateCast(withDepth(30, 7, true)));
    EXPECT_NE(generateCast(withDepth(30, 7)), generateCast(withDepth(30, 8)));
    EXPECT_NE(generateCast(withDepth(30, 7, true)), generateCast(withDepth(30, 8, true)));
}

TEST_F(CastGeneratorTest, CastIsWellFormedAndReducesToTheRequestedProfile) {
    auto options = [](double maxDepth, float latitude, float density, uint64_t seed) {
        CastOptions o = withDepth(maxDepth, seed);
        o.latitude = latitude;
        o.density = density;
        o.deviceId = 20240001;
        o.depthInterval = 0.25f;
        return o;
    };
    const CastOptions cases[] = {
        options(0.3, 30.0f, 1.025f, 1),    // shallower than one second of winch travel
        options(500.0, -60.0f, 1.03f, 4),  // the deepest the reduction accepts
        options(50.0, 95.0f, 0.0f, 5),     // unset density: the reduction falls back to 1.0
    };
    for (const CastOptions& o : cases) {
        SCOPED_TRACE(testing::Message() << "max depth " << o.maxDepth);
        const GeneratedCast cast = generateCastWithSummary(o);
        const std::vector<uint8_t>& bytes = cast.bytes;
        const CastSummary& summary = cast.summary;
        ASSERT_EQ(bytes.size(), kRawHeaderSize + kRawRecordSize * size_t(summary.records));
        EXPECT_EQ(summary.surfaceRecords, int32_t(5 * kSampleRateHz));
        RawFileHeader header;
        std::copy_n(bytes.begin(), kRawHeaderSize, header.bytes.begin());
        EXPECT_EQ(header.deviceId(), o.deviceId);
        EXPECT_EQ(header.firmwareVersion(), o.firmware);

        // Every record is found (the surface ones folded away), numbered on, within the limits.
        const CastData data = load(bytes);
        EXPECT_EQ(data.density, o.density);
        EXPECT_EQ(data.latitude, o.latitude);
        EXPECT_EQ(data.depthInterval, o.depthInterval);
        EXPECT_NEAR(data.surfacePressure, 1.013f, 0.001f);
        ASSERT_EQ(data.rawRecords.size(), size_t(summary.records - summary.surfaceRecords));
        int32_t number = summary.surfaceRecords;
        std::vector<double> depths;
        for (const RawRecord& r : data.rawRecords) {
            ASSERT_EQ(r.recordNumber(), ++number);
            ASSERT_TRUE(r.soundVelocity() >= 1300 && r.soundVelocity() <= 1800) << number;
            ASSERT_TRUE(r.temperature() >= -40 && r.temperature() <= 80) << number;
            depths.push_back(
                depthFromPressure(r.pressure(), data.surfacePressure, o.latitude, o.density));
        }
        const auto deepest = std::max_element(depths.begin(), depths.end());
        EXPECT_LE(*deepest, o.maxDepth);
        EXPECT_GE(*deepest, o.maxDepth - 0.01);
        EXPECT_EQ(*deepest, summary.maxDepth);
        EXPECT_LT(depths.back(), 1.0);  // hauled back to just below the surface
        EXPECT_GT(*std::min_element(depths.begin(), depths.end()), -0.02);

        // Down to the bottom, never going back up by more than noise.
        const auto bottom = [&](double d) { return d > *deepest - 0.05; };
        const size_t downCast =
            std::find_if(depths.begin(), depths.end(), bottom) - depths.begin() + 1;
        for (size_t i = 1; i < downCast; ++i) {
            EXPECT_GT(depths[i], depths[i - 1] - 0.02) << i;
        }
    }
}

TEST_F(CastGeneratorTest, GarbageLeavesEveryValidRecordFindable) {
    for (uint64_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const std::vector<uint8_t> clean = generateCast(withDepth(20, seed));
        const std::vector<uint8_t> dirty = generateCast(withDepth(20, seed, true));
        ASSERT_GT(dirty.size(), clean.size() + 512);

        const CastData expected = load(clean);
        const CastData found = load(dirty);
        EXPECT_EQ(found.surfacePressure, expected.surfacePressure);
        ASSERT_EQ(found.rawRecords.size(), expected.rawRecords.size());
        for (size_t i = 0; i < found.rawRecords.size(); ++i) {
            ASSERT_EQ(found.rawRecords[i].bytes, expected.rawRecords[i].bytes) << i;
        }

        const std::vector<uint8_t> zeros(512, 0);
        EXPECT_NE(
            std::search(dirty.begin() + kRawHeaderSize, dirty.end(), zeros.begin(), zeros.end()),
            dirty.end());
        // Three broken records and two stray pairs, none of them taken for a record.
        EXPECT_GE(brokenSyncPairs(dirty), brokenSyncPairs(clean) + 5);
    }
}

}  // namespace
}  // namespace quorvane::sim
