#include "device/protocol/command_channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/protocol/testing/channel_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

struct Chunk {
    std::string bytes;
    int64_t atMs = 0;
    bool readFailure = false;
};

void script(FakePort& port, const std::vector<Chunk>& chunks) {
    for (const Chunk& chunk : chunks) {
        if (chunk.readFailure) {
            port.failReadAt(chunk.atMs);
        } else {
            port.deliver(chunk.bytes, chunk.atMs);
        }
    }
}

// The formats the operations' own tests never send: a failed clock and a negative value.
TEST(CommandTexts, FailedClockAndNegativeValues) {
    EXPECT_EQ(setUtcTimeCommand({}), "$cmd,set,utctime,0,0,0,-1,-1,-1*ff");
    EXPECT_EQ(setAreaParaCommand(0, -200), "$cmd,set,areapara,0.000000,-200.000000*ff");
}

TEST(WriteCommand, SendsExactlyTheTextAndPurgesOnlyWhenInputIsWaiting) {
    ChannelRig rig;
    ASSERT_TRUE(rig.channel.WriteCommand(kGetVoltage));
    rig.port.deliver("late answer");
    ASSERT_TRUE(rig.channel.WriteCommand(kGetSpace));
    EXPECT_FALSE(rig.channel.WriteCommand(std::string(1024, 'x')));
    EXPECT_TRUE(rig.channel.WriteCommand(std::string(1023, 'x')));
    EXPECT_EQ(rig.portEvents(),
              (Strings{"write $cmd,get,voltage*ff", "purge", "write $cmd,get,space*ff",
                       "write " + std::string(1023, 'x')}));
}

TEST(SendCommand, OnlyItsFailureRunsTheDisconnectHandlingInOrder) {
    ChannelRig rig;
    rig.channel.setConnected(true);
    rig.port.failNextWrites();
    EXPECT_FALSE(rig.channel.WriteCommand(kGetSysinfo));
    EXPECT_TRUE(rig.shown.events.empty());
    EXPECT_TRUE(rig.channel.connected());
    rig.port.failNextWrites();
    EXPECT_FALSE(rig.channel.SendCommand(kGetVoltage));
    EXPECT_FALSE(rig.channel.connected());
    EXPECT_EQ(rig.shown.events,
              (Strings{"pane1: Device is disconnected.Reconnect!",
                       "box48: Device is disconnected. Please reconnect the device!",
                       "title: QuorvaneDevice", "reset"}));
}

const std::string kVoltageLine = "$cmd,get,voltage,12.5*ff\r\n";
const std::string kCommunicationBox = "box49: Communication error, please try again!";

TEST(WaitReply, RepliesByKind) {
    struct Case {
        const char* name;
        ReplyRule rule;
        std::vector<Chunk> chunks;
        std::string result;
        Strings shown;
    };
    const std::string fileList =
        "$cmd,fileindex,start*ff\r\n$cmd,fileindex,0,A.BIN,100,17509,21135*ff\r\n"
        "$cmd,fileindex,end*ff\r\n";
    const Strings commError{kCommunicationBox};
    const Case cases[] = {
        {"whole line", kVoltageReply, {{kVoltageLine}}, kVoltageLine, {}},
        {"pieces until CR LF",
         kVoltageReply,
         {{"$cmd,get,vol"}, {"tage,12.5*ff\r", 400}, {"\n", 900}},
         kVoltageLine,
         {}},
        {"NUL cuts the rest of its chunk",
         kVoltageReply,
         {{std::string("$cmd,get,voltage,1\0junk\r\n", 25)}, {"2.5*ff\r\n"}},
         kVoltageLine,
         {}},
        {"refusal", kVoltageReply, {{"$cmd,Bad,Command*ff\r\n"}}, "", {}},
        {"short ack to a get", kVoltageReply, {{"svp_ok\r\n"}}, "", {}},
        {"short ack to a set", kSetAreaParaReply, {{"svp_ok\r\n"}}, "", {}},
        {"config ok in pieces", kDeleteReply, {{"$cmd,Config,"}, {"OK*ff\r\n"}}, "OK", {}},
        {"config failed", kSetDepthScaleReply, {{"$cmd,Config,failed*ff\r\n"}}, "", {}},
        {"set answered by a get-reply", kSetAreaParaReply, {{kVoltageLine}}, "", commError},
        {"another command's echo", kSpaceReply, {{kVoltageLine}}, "", commError},
        {"broken tail", kVoltageReply, {{"$cmd,get,voltage,12.5*f\r\n"}}, "", commError},
        {"file list up to its end line",
         kFileIndexReply,
         {{fileList.substr(0, 30)}, {fileList.substr(30)}},
         fileList,
         {}},
        {"file list never ends", kFileIndexReply, {{"$cmd,fileindex,start*ff\r\n"}}, "", commError},
        {"read failure keeps what came",
         kVoltageReply,
         {{"$cmd,get,"}, {"", 100, true}},
         "$cmd,get,",
         {"pane1: Please check the connection!"}},
        {"endless reply",
         kFileIndexReply,
         {{std::string(CommandChannel::kMaxReplyLength + 1, 'x')}},
         "",
         commError},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        script(rig.port, c.chunks);
        EXPECT_EQ(rig.channel.WaitReply(c.rule), c.result) << c.name;
        EXPECT_EQ(rig.shown.events, c.shown) << c.name;
        EXPECT_EQ(rig.portEvents(), Strings{"purge"}) << c.name;
    }
}

// Silence is measured in whole seconds of the local time of day, between the last data and
// the latest empty poll; more than 2 ends the wait.
TEST(WaitReply, SilenceRuleCountsWholeSeconds) {
    struct Case {
        const char* name;
        LocalDateTime start;
        int64_t startMs;            // fake time when the wait starts
        std::vector<Chunk> chunks;  // at fake times
        bool answered;
        int64_t endMs;  // fake time at the end of the wait
    };
    const LocalDateTime ten{2014, 3, 5, 10, 0, 0};
    const Case cases[] = {
        {"10:00:00 to 10:00:02.999 is 2 s", ten, 0, {{kVoltageLine, 3000}}, true, 3000},
        {"10:00:00 to 10:00:03 is 3 s", ten, 0, {{kVoltageLine, 3001}}, false, 3000},
        {"starting late in a second shortens it", ten, 900, {{kVoltageLine, 3050}}, false, 3000},
        {"data restarts the silence",
         ten,
         0,
         {{"$cmd,get,vol", 2500}, {"tage,12.5*ff\r\n", 5000}},
         true,
         5000},
        {"midnight looks like a long silence",
         {2014, 3, 5, 23, 59, 58},
         0,
         {{kVoltageLine, 2500}},
         false,
         2000},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        rig.clock.setLocalTime(c.start);
        rig.clock.advanceMs(c.startMs);
        script(rig.port, c.chunks);
        const std::string reply = rig.channel.WaitReply(kVoltageReply);
        EXPECT_EQ(reply.empty(), !c.answered) << c.name;
        EXPECT_EQ(rig.shown.events.empty(), c.answered) << c.name;
        EXPECT_EQ(rig.clock.nowMs(), c.endMs) << c.name;
    }
}

TEST(WaitReply, ClearingAllWaitsOutSilencesWithTheAnimation) {
    ChannelRig rig;
    rig.port.deliver("$cmd,Config,OK*ff\r\n", 5 * 60 * 1000);
    EXPECT_EQ(rig.channel.WaitReply(kDeleteAllReply), "OK");
    ASSERT_GE(rig.shown.events.size(), 4u);
    EXPECT_EQ(Strings(rig.shown.events.begin(), rig.shown.events.begin() + 4),
              (Strings{"pane1:  Please wait.", "pane1:  Please wait ..",
                       "pane1:  Please wait .....", "pane1:  Please wait."}));
    for (const std::string& e : rig.shown.events) {
        EXPECT_TRUE(e.starts_with("pane1:  Please wait")) << e;  // no box
    }
    EXPECT_EQ(rig.clock.sleeps(), std::vector<int>(5 * 60 * 100, 10));
}

TEST(WaitReply, ClearingAllGivesUpAfterTenMinutesAndAnimatesAcrossMidnight) {
    ChannelRig rig;
    rig.port.deliver("$cmd,get,voltage,12.5*ff\r\n", 1000);  // a stray line does not end it
    rig.port.deliver("$cmd,Config,OK*ff\r\n", 11 * 60 * 1000);
    EXPECT_EQ(rig.channel.WaitReply(kDeleteAllReply), "");
    EXPECT_EQ(rig.shown.events.back(), kCommunicationBox);
    EXPECT_GT(rig.clock.nowMs(), CommandChannel::kDeleteAllLimitMs);
    EXPECT_LT(rig.clock.nowMs(), CommandChannel::kDeleteAllLimitMs + 20);

    ChannelRig midnight;
    midnight.clock.setLocalTime({2014, 3, 5, 23, 59, 59});
    midnight.port.deliver("$cmd,Config,OK*ff\r\n", 2500);
    EXPECT_EQ(midnight.channel.WaitReply(kDeleteAllReply), "OK");
    // 0, then -86399 (remainder 1 once made non-negative), then -86398 (2).
    EXPECT_EQ(midnight.shown.events, (Strings{"pane1:  Please wait.", "pane1:  Please wait ..",
                                              "pane1:  Please wait ....."}));
}

TEST(ProbeReply, OneReadAfter200Ms) {
    struct Case {
        const char* name;
        std::string_view command;
        std::vector<Chunk> chunks;
        std::string result;
        Strings shown;
    };
    const std::string sysinfo = "$cmd,get,sysinfo,12345678,V1.0*ff\r\n";
    const Case cases[] = {
        {"sysinfo answer", kGetSysinfo, {{sysinfo, 150}}, "OK", {}},
        {"answer comes after the one read", kGetSysinfo, {{sysinfo, 250}}, "", {}},
        {"only part of it in time",
         kGetSysinfo,
         {{sysinfo.substr(0, 20)}, {sysinfo.substr(20)}},
         sysinfo.substr(0, 20),
         {}},
        {"only sysinfo is recognised", kGetVoltage, {{sysinfo}}, sysinfo, {}},
        {"read failure", kGetSysinfo, {{"", 0, true}}, "", {"pane1: Read serial port failed!"}},
    };
    for (const Case& c : cases) {
        ChannelRig rig;
        script(rig.port, c.chunks);
        EXPECT_EQ(rig.channel.ProbeReply(c.command, "$cmd,get,sysinfo", 16), c.result) << c.name;
        EXPECT_EQ(rig.clock.sleeps(), std::vector<int>{200}) << c.name;
        EXPECT_EQ(rig.portEvents(), Strings{"purge"}) << c.name;
        EXPECT_EQ(rig.shown.events, c.shown) << c.name;
    }
}

}  // namespace
}  // namespace quorvane
