#include <gtest/gtest.h>

#include "common/raw_format.h"
#include "simulator/testing/profiler_fixture.h"

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

// The first data frame is struck; the repeat that the host then asks for arrives clean.
TEST_F(ProfilerFaultTest, FrameFaultsSpoilOneFrameAndTheRepeatIsClean) {
    const std::string cast = sampleCast(100);
    const std::string block0 = cast.substr(0, 512);
    std::vector<int32_t> renumbered = recordNumbers(block0);
    for (int32_t& number : renumbered) {
        number += 50;
    }
    constexpr size_t kUnchecked = SIZE_MAX;
    struct Case {
        const char* fault;
        bool arrives, checksumOk;
        size_t differingBytes;         // from the first block
        std::vector<int32_t> numbers;  // of the records in the payload; empty: unchecked
    } const cases[] = {
        {"checksum@1", true, false, 0, recordNumbers(block0)},
        {"payload@1", true, false, 1, {}},
        {"gap@1:50", true, true, kUnchecked, renumbered},
        {"drop@1", false, false, kUnchecked, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        putCast("F.BIN", cast, localTimeOf(2020, 1, 1, 8, 0, 0));
        startWith({c.fault});
        EXPECT_EQ(line_->exchange("$cmd,send,fileindex,0*ff"), "$cmd,send,file,start*ff\r\n");
        line_->send("$cmd,send,file,3*ff");
        const std::string frame = line_->readFrame(c.arrives ? 3000 : 300);
        if (!c.arrives) {
            EXPECT_EQ(frame, "");
        } else {
            const auto parsed = parseFrame(frame);
            ASSERT_TRUE(parsed && parsed->payload.size() == block0.size());
            EXPECT_EQ(parsed->checksumOk, c.checksumOk);
            size_t differing = 0;
            for (size_t i = 0; i < block0.size(); ++i) {
                differing += parsed->payload[i] != block0[i];
            }
            EXPECT_TRUE(c.differingBytes == kUnchecked || differing == c.differingBytes);
            EXPECT_TRUE(c.numbers.empty() || recordNumbers(parsed->payload) == c.numbers);
        }
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

    // The hang-up is counted once the old port is forgotten: a port after it is the new one.
    ASSERT_TRUE(eventually(
        [&] { return profiler_->counters().hangups == 1 && !profiler_->slavePath().empty(); }));
    EXPECT_EQ(std::filesystem::read_symlink(link), profiler_->slavePath());
    LineClient again(link);
    EXPECT_EQ(again.exchange("$cmd,get,sysinfo*ff"), "$cmd,get,sysinfo,12345678,V1.2.0*ff\r\n");
}

}  // namespace
}  // namespace quorvane::sim
