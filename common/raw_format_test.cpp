#include "common/raw_format.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(RawFormat, KnownRecordHasChecksum0x1A) {
    const RawRecord r = RawRecord::make(1, 1500.0f, 15.0f, 2.0f);
    EXPECT_EQ(r.bytes[35], 0x1A);
    EXPECT_EQ(r.bytes[2] | r.bytes[3], 0);
    EXPECT_TRUE(isValidRecord(r.bytes.data()));
    for (int last = 0; last < 256; ++last) {
        RawRecord bad = r;
        bad.bytes[35] = uint8_t(last);
        EXPECT_EQ(isValidRecord(bad.bytes.data()), last == 0x1A) << last;
    }
}

// The checksum is summed eight bytes at a time; the plain byte sum is the reference.
TEST(RawFormat, ChecksumIsTheLowByteOfTheSumOfBytes0To34) {
    uint32_t state = 12345;
    for (int n = 0; n < 2000; ++n) {
        uint8_t record[36];
        unsigned sum = 0;
        for (int i = 0; i < 36; ++i) {
            state = state * 1103515245u + 12345u;
            record[i] = n < 256 ? uint8_t(n) : uint8_t(state >> 16);  // all-equal bytes first
            if (i < 35) {
                sum += record[i];
            }
        }
        ASSERT_EQ(recordChecksum(record), uint8_t(sum)) << n;
    }
}

}  // namespace
}  // namespace quorvane
