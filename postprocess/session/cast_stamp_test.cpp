#include "postprocess/session/cast_stamp.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_time_zone.h"

namespace quorvane {
namespace {

TEST(CastStamp, TheDialogsTextsAreReadOrTheWrongFieldIsNamed) {
    const std::string badTime = "Please enter the cast time as YYYY-MM-DD HH:MM:SS.";
    const std::string badOffset = "Please enter the UTC offset in hours, from -14 to 14.";
    const std::string badPosition =
        "Please enter latitude (-90 to 90) and longitude (-180 to 180) in signed decimal "
        "degrees, or leave both empty.";
    const CastTime time{2014, 3, 5, 10, 20, 30};
    struct Case {
        CastStampTexts texts;
        std::variant<CastStamp, std::string> result;
    };
    const Case cases[] = {
        {{"2014-03-05 10:20:30", "8", "-33.9", "151.2"},
         CastStamp{time, 8.0, CastPosition{-33.9, 151.2}}},
        {{"2014-03-05 10:20:30", "", "", ""}, CastStamp{time, 0.0, std::nullopt}},
        {{"2014-03-05 10:20:30", "-3.5", " 45.5 ", "-73.25"},
         CastStamp{time, -3.5, CastPosition{45.5, -73.25}}},
        {{"", "0", "", ""}, badTime},
        {{"2014-02-30 10:20:30", "0", "", ""}, badTime},
        {{"2014-03-05 10:20:30", "UTC+8", "", ""}, badOffset},
        {{"2014-03-05 10:20:30", "15", "", ""}, badOffset},
        {{"2014-03-05 10:20:30", "0", "45.5", ""}, badPosition},
        {{"2014-03-05 10:20:30", "0", "", "151.2"}, badPosition},
        {{"2014-03-05 10:20:30", "0", "95", "151.2"}, badPosition},
    };
    for (const Case& c : cases) {
        const auto result = readCastStamp(c.texts);
        if (const auto* expected = std::get_if<CastStamp>(&c.result)) {
            ASSERT_TRUE(std::holds_alternative<CastStamp>(result)) << c.texts.time;
            EXPECT_EQ(std::get<CastStamp>(result), *expected);
        } else {
            ASSERT_TRUE(std::holds_alternative<Message>(result)) << c.texts.time;
            EXPECT_EQ(std::get<Message>(result).type, BoxType::Warning);
            EXPECT_EQ(std::get<Message>(result).text.en, std::get<std::string>(c.result));
        }
    }
}

TEST(CastStamp, ADownloadedCastProposesItsListTimeInThePcsZone) {
    const test::ScopedTimeZone china("CST-8");
    EXPECT_EQ(proposedCastStamp("/data/12345678/2014-03-05_102030_N.bin"),
              (CastStampTexts{"2014-03-05 10:20:30", "+8", "", ""}));
    // Neither a dated name nor a file to look at: the user types the time.
    EXPECT_EQ(proposedCastStamp("/no/such/cast.prf"), (CastStampTexts{"", "+8", "", ""}));
}

}  // namespace
}  // namespace quorvane
