// quorvane-cli compare and probe-check on profiles whose differences are known by hand.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "cli/cli_fixture.h"
#include "postprocess/profilefiles/point_file.h"

namespace quorvane {
namespace {

class CompareCommandTest : public test::CliTest<test::TempDirTest> {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        for (const double speed : {1500.0, 1503.0, 1515.0}) {
            SaveProfileFile(path(std::to_string(int(speed)) + ".prf"),
                            {{0.0, speed, 10.0}, {200.0, speed, 10.0}});
        }
        // 1 m/s per metre: 1504 m/s at 4 m.
        SaveProfileFile(path("gradient.prf"), {{0.0, 1500.0, 20.0}, {10.0, 1510.0, 19.0}});
    }

    // The words of the table row that starts with `angle`.
    std::vector<std::string> row(const std::string& angle) const {
        std::istringstream lines(out());
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
            if (!row.empty() && row[0] == angle)
                return row;
        }
        return {};
    }
};

// Through 1500 m/s a ray reaches 200 m after 200/(1500 cos γ) s; through 1503 m/s it is then
// 0.2 % further along: 0.400 m deeper at every angle and 0.4·tan γ further out, 0.336 m at 40°
// and 1.099 m at 70°. Order 1a's TVU at 200 m is √(0.5² + (0.013·200)²) = 2.648 m, of which 0.4 m
// is 15 %; Special Order's at 50 m is √(0.25² + (0.0075·50)²) = 0.451 m, and 1515 m/s puts the
// sounding 0.5 m deeper there: 111 %.
TEST_F(CompareCommandTest, TheTableAndTheVerdictAgreeWithRaysTracedByHand) {
    ASSERT_EQ(runCli("compare 1500.prf 1503.prf", dir_), 0) << err();
    EXPECT_EQ(row("40°"), (std::vector<std::string>{"40°", "+0.400", "+0.336"}));
    EXPECT_EQ(row("70°"), (std::vector<std::string>{"70°", "+0.400", "+1.099"}));
    EXPECT_EQ(row("45°"), std::vector<std::string>{});  // every 10° only
    EXPECT_NE(out().find("(0.20 % of the depth)"), std::string::npos) << out();
    EXPECT_NE(out().find("Within 15 % of the Order 1a TVU"), std::string::npos) << out();

    struct Case {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {"compare 1500.prf 1500.prf", 0, "Largest depth difference: 0.000 m at 0° (0.00 %"},
        {"compare 1500.prf 1515.prf --order special --depth 50", 1,
         "(1.00 % of the depth), is 111 % of the Special Order TVU (0.45 m at 50.0 m)"},
        {"compare 1500.prf 1503.prf --lang zh", 0, "在1a等总垂直不确定度的15%以内"},
        {"compare 1500.prf 1503.prf --order 3", 2, "--order must be exclusive, special"},
        {"compare 1500.prf", 2, "give the new cast and the reference"},
        {"compare 1500.prf missing.prf", 2, "missing.prf"},
        {"compare 1500.prf 1503.prf --draft 20 --depth 10", 2, "does not lie below the"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runCli(c.arguments, dir_), c.status) << c.arguments << "\n" << err();
        EXPECT_NE((out() + err()).find(c.says), std::string::npos) << c.arguments << "\n"
                                                                   << out() << err();
    }
}

TEST_F(CompareCommandTest, TheProbePassesWithinTheLimitAtTheDraft) {
    struct Case {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {"--speed 1505 --draft 4", 0, "1504.00 m/s at the 4.00 m draft: 1.00 m/s apart, within"},
        {"--speed 1501.5 --draft 4", 1, "2.50 m/s apart, more than 2.00 m/s"},
        {"--speed 1501.5 --draft 4 --limit 3", 0, "2.50 m/s apart, within 3.00 m/s"},
        {"--speed 1505 --draft 12", 2, "lies outside the cast (0.00 to 10.00 m)"},
        {"--draft 4", 2, "give the probe's --speed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runCli("probe-check gradient.prf " + c.arguments, dir_), c.status) << c.arguments;
        EXPECT_NE((out() + err()).find(c.says), std::string::npos) << c.arguments << "\n"
                                                                   << out() << err();
    }
}

}  // namespace
}  // namespace quorvane
