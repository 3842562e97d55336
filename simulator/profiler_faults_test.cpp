#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

#include "postprocess/rawcast/raw_format.h"
#include "simulator/profiler_fixture_test_util.h"

namespace quorvane::sim {
namespace {

class ProfilerFaultTest : public ProfilerTest {
protected:
    void startWith(const std::vector<std::string>& switches, const std::string& link = {}) {
        ProfilerOptions options = testOptions();
        options.linkPath = link;
        for (const std::string& text : switches) {
            options.faults.push_back(*parseFaultRule(text).rule);
        }
        startProfiler(options);
    }
};

std::vector<int32_t> recordNumbers(const std::string& bytes) {
    std::vector<int32_t> numbers;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (size_t i = 0; i + kRawRecordSize <= bytes.size(); ++i) {
        if (isValidRecord(data + i)) {
            numbers.push_back(readI32(data + i + 4));
            i += kRawRecordSize - 1;
        }
    }
    return numbers;
}

size_t differingBytes(const std::string& a, const std::string& b) {
    size_t count = a.size() == b.size() ? 0 : SIZE_MAX;
    for (size_t i = 0; count != SIZE_MAX && i < a.size(); ++i) {
        count += a[i] != b[i];
    }
    return count;
}

// The first data frame is struck; the repeat that the host then asks for arrives clean.
TEST_F(ProfilerFaultTest, FrameFaultsSpoilOneFrameAndTheRepeatIsClean) {
    const std::string cast = sampleCast(100);
    const std::string block0 = cast.substr(0, 512);
    using Check = std::function<void(const std::string& frame)>;
    const std::vector<std::pair<std::string, Check>> cases = {
        {"checksum@1",
         [&](const std::string& frame) {
             const auto parsed = parseFrame(frame);
             ASSERT_TRUE(parsed);
             EXPECT_FALSE(parsed->checksumOk);
             EXPECT_TRUE(parsed->payload == block0);
         }},
        {"payload@1",
         [&](const std::string& frame) {
             const auto parsed = parseFrame(frame);
             ASSERT_TRUE(parsed);
             EXPECT_FALSE(parsed->checksumOk);
             EXPECT_EQ(differingBytes(parsed->payload, block0), 1u);
         }},
        {"gap@1:50",
         [&](const std::string& frame) {
             const auto parsed = parseFrame(frame);
             ASSERT_TRUE(parsed);
             EXPECT_TRUE(parsed->checksumOk);
             std::vector<int32_t> expected = recordNumbers(block0);
             for (int32_t& number : expected) {
                 number += 50;
             }
             EXPECT_EQ(recordNumbers(parsed->payload), expected);
         }},
        {"drop@1", [&](const std::string& frame) { EXPECT_EQ(frame, ""); }},
    };
    for (const auto& [fault, check] : cases) {
        SCOPED_TRACE(fault);
        putCast("F.BIN", cast, localTimeOf(2020, 1, 1, 8, 0, 0));
        startWith({fault});
        EXPECT_EQ(line_->exchange("$cmd,send,fileindex,0*ff"), "$cmd,send,file,start*ff\r\n");
        line_->send("$cmd,send,file,3*ff");
        check(line_->readFrame(fault == "drop@1" ? 300 : 3000));
        line_->send("$cmd,send,file,7*ff");
        const auto repeat = parseFrame(line_->readFrame());
        ASSERT_TRUE(repeat);
        EXPECT_TRUE(repeat->checksumOk);
        EXPECT_TRUE(repeat->payload == block0);
        EXPECT_EQ(profiler_->counters().faultsInjected, 1u);
        EXPECT_EQ(profiler_->counters().framesSent, 2u);
    }
}

TEST_F(ProfilerFaultTest, CommandFaultsReplaceTheAnswerAndTheCommandIsNotCarriedOut) {
    struct Case {
        const char* fault;
        const char* reply;
    };
    const Case cases[] = {
        {"bad@1", "$cmd,Bad,Command*ff\r\n"},
        {"svpok@1", "svp_ok\r\n"},
        {"failed@1", "$cmd,Config,failed*ff\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        startWith({c.fault});
        EXPECT_EQ(line_->exchange("$cmd,set,areapara,1.000000,10.000000*ff"), c.reply);
        EXPECT_EQ(line_->exchange("$cmd,get,areapara*ff"),
                  "$cmd,get,areapara,1.025000,30.000000*ff\r\n");
    }
}

TEST_F(ProfilerFaultTest, StrayLineComesBeforeTheAnswer) {
    startWith({"stray@2"});
    EXPECT_EQ(line_->exchange("$cmd,get,workstate*ff"), "$cmd,get,workstate,0*ff\r\n");
    EXPECT_EQ(line_->exchange("$cmd,get,sysinfo*ff"), "$cmd,msg,wakeup*ff\r\n");
    EXPECT_EQ(line_->readLine(), "$cmd,get,sysinfo,12345678,V1.2.0*ff\r\n");
}

TEST_F(ProfilerFaultTest, SilentProfilerAnswersLateAndHearsNothingMeanwhile) {
    startWith({"silence@1:1500ms"});
    line_->send("$cmd,get,sysinfo*ff");
    line_->send("$cmd,get,voltage*ff");  // arrives while the profiler stalls
    EXPECT_EQ(line_->readFor(3000), "$cmd,get,sysinfo,12345678,V1.2.0*ff\r\n");
    EXPECT_EQ(line_->exchange("$cmd,get,voltage*ff"), "$cmd,get,voltage,12.6*ff\r\n");
}

TEST_F(ProfilerFaultTest, HangupKillsTheLineMidFrameAndANewPortAppears) {
    putCast("H.BIN", sampleCast(100), localTimeOf(2020, 1, 1, 8, 0, 0));
    const std::string link = (dir_ / "port").string();
    startWith({"hangup@2:200ms"}, link);
    line_->exchange("$cmd,send,fileindex,0*ff");
    line_->send("$cmd,send,file,3*ff");
    EXPECT_TRUE(parseFrame(line_->readFrame()));
    line_->send("$cmd,send,file,3*ff");
    const std::string half = line_->readFor(300);
    EXPECT_GT(half.size(), 0u);
    EXPECT_LT(half.size(), 517u);
    EXPECT_TRUE(line_->lineDead());

    std::string newPort;
    for (int wait = 0; wait < 100 && newPort.empty(); ++wait) {
        usleep(50000);
        newPort = profiler_->slavePath();
    }
    ASSERT_FALSE(newPort.empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), newPort);
    EXPECT_EQ(profiler_->counters().hangups, 1u);
    LineClient again(link);
    EXPECT_EQ(again.exchange("$cmd,get,sysinfo*ff"), "$cmd,get,sysinfo,12345678,V1.2.0*ff\r\n");
}

}  // namespace
}  // namespace quorvane::sim
