#include "soak/soak_check.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::soak {
namespace {

// 1300 bytes: two whole blocks and a last one of 276, no byte zero.
std::string card() {
    std::string bytes(1300, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = char(1 + i % 251);
    }
    return bytes;
}

std::string zeroed(std::string bytes, size_t offset, size_t length) {
    bytes.replace(offset, length, std::string(length, '\0'));
    return bytes;
}

TEST(CompareWithCardTest, SortsEachKindOfDownload) {
    const std::string original = card();
    std::string flipped = original;
    flipped[700] ^= 0x10;
    struct Case {
        const char* name;
        std::string downloaded;
        FileVerdict verdict;
    };
    const Case cases[] = {
        {"same bytes", original, FileVerdict::Intact},
        {"middle block zero-filled", zeroed(original, 512, 512), FileVerdict::ZeroFilled},
        {"short last block zero-filled", zeroed(original, 1024, 276), FileVerdict::ZeroFilled},
        {"first two blocks received", original.substr(0, 1024), FileVerdict::Partial},
        {"nothing received", "", FileVerdict::Partial},
        {"a zero-filled block, then the end", zeroed(original, 0, 512).substr(0, 1024),
         FileVerdict::Partial},
        {"one byte changed", flipped, FileVerdict::Corrupt},
        {"zeros within a block only", zeroed(original, 512, 100), FileVerdict::Corrupt},
        {"a byte too many", original + "x", FileVerdict::Corrupt},
        {"a torn block at the end", original.substr(0, 700) + "x", FileVerdict::Corrupt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(verdictName(compareWithCard(c.downloaded, original)), verdictName(c.verdict))
            << c.name;
    }
}

}  // namespace
}  // namespace quorvane::soak
