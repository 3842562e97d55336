#include "simulator/virtual_profiler.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "simulator/testing/profiler_fixture.h"

namespace quorvane::sim {
namespace {

struct Exchange {
    std::string command;
    std::string reply;
};

void expectReplies(LineClient& line, const std::vector<Exchange>& table) {
    for (const Exchange& row : table) {
        EXPECT_EQ(line.exchange(row.command), row.reply) << row.command;
    }
}

TEST_F(ProfilerTest, GetRepliesFollowIdentityBatteryCardAndSettings) {
    // Two files of 100 and 40000 bytes take one and two 32 KB clusters: 96 KB used.
    putCast("A.BIN", std::string(100, 'a'), localTimeOf(2014, 3, 5, 10, 20, 30));
    putCast("B.BIN", std::string(40000, 'b'), localTimeOf(2014, 3, 5, 10, 20, 30));
    ProfilerOptions options = testOptions();
    options.device.deviceId = "87654321";
    options.device.firmware = "V2.0.1";
    options.device.density = 1.02f;
    options.device.latitude = 45.5f;
    options.device.depthInterval = 0.25f;
    options.device.capacityKb = 4000000;
    startProfiler(options);
    expectReplies(*line_, {{"$cmd,get,sysinfo*ff", "$cmd,get,sysinfo,87654321,V2.0.1*ff\r\n"},
                           {"$cmd,get,voltage*ff", "$cmd,get,voltage,12.6*ff\r\n"},
                           {"$cmd,get,depthscale*ff", "$cmd,get,depthscale,0.250000*ff\r\n"},
                           {"$cmd,get,areapara*ff", "$cmd,get,areapara,1.020000,45.500000*ff\r\n"},
                           {"$cmd,get,space*ff", "$cmd,get,space,3999904,4000000*ff\r\n"},
                           {"$cmd,get,workstate*ff", "$cmd,get,workstate,0*ff\r\n"}});
    // A weak battery and less than 1 GB free raise bits 0 and 4 of the state.
    options.device.voltage = 10.9;
    options.device.capacityKb = 1048576;
    startProfiler(options);
    expectReplies(*line_, {{"$cmd,get,voltage*ff", "$cmd,get,voltage,10.9*ff\r\n"},
                           {"$cmd,get,space*ff", "$cmd,get,space,1048480,1048576*ff\r\n"},
                           {"$cmd,get,workstate*ff", "$cmd,get,workstate,17*ff\r\n"}});
}

TEST_F(ProfilerTest, CommandsAreFoundInAnyPacking) {
    startProfiler();
    // Line ends, noise and a command split over two writes (the first one read, as its
    // whole command's answer shows, before the second goes), and a command cut short by a
    // fresh one: only whole commands are answered.
    line_->send("\r\n$cmd,get,workstate*ff$cmd,get,vol");
    EXPECT_EQ(line_->readLine(), "$cmd,get,workstate,0*ff\r\n");
    line_->send("tage*ff\r\nxx$cmd,get,depth$cmd,get,workstate*ff");
    EXPECT_EQ(line_->readLine(), "$cmd,get,voltage,12.6*ff\r\n");
    EXPECT_EQ(line_->readLine(), "$cmd,get,workstate,0*ff\r\n");
    expectReplies(*line_, {{"$cmd,get,nothing*ff", "$cmd,Bad,Command*ff\r\n"},
                           {"$cmd,get,voltage,1*ff", "$cmd,Bad,Command*ff\r\n"},
                           {"$cmd,set,areapara,1.0*ff", "$cmd,Bad,Command*ff\r\n"}});
    EXPECT_EQ(profiler_->counters().commandsSeen, 6u);
}

TEST_F(ProfilerTest, SettingsAreKeptAndBadValuesRefused) {
    startProfiler();
    expectReplies(*line_,
                  {{"$cmd,set,areapara,1.010000,-12.500000*ff", "$cmd,Config,OK*ff\r\n"},
                   {"$cmd,set,areapara,1.000000,95.000000*ff", "$cmd,Config,failed*ff\r\n"},
                   {"$cmd,set,areapara,-0.001000,30.000000*ff", "$cmd,Config,failed*ff\r\n"},
                   {"$cmd,set,areapara,abc,30.000000*ff", "$cmd,Config,failed*ff\r\n"},
                   {"$cmd,get,areapara*ff", "$cmd,get,areapara,1.010000,-12.500000*ff\r\n"},
                   {"$cmd,set,depthscale,0.100000*ff", "$cmd,Config,OK*ff\r\n"},
                   {"$cmd,set,depthscale,0.090000*ff", "$cmd,Config,failed*ff\r\n"},
                   {"$cmd,get,depthscale*ff", "$cmd,get,depthscale,0.100000*ff\r\n"},
                   {"$cmd,set,utctime,2014,2,29,10,20,30*ff", "$cmd,Config,failed*ff\r\n"},
                   {"$cmd,set,utctime,2014,3,5,10,20,30*ff", "$cmd,Config,OK*ff\r\n"}});
    // The clock runs on from what was set; allow for a slow machine, never for a wrong date.
    const std::string clock = line_->exchange("$cmd,get,utctime*ff");
    ASSERT_EQ(clock.rfind("$cmd,get,utctime,2014,3,5,10,", 0), 0u) << clock;
    const int minute = std::atoi(clock.c_str() + 29);
    const int second = std::atoi(clock.c_str() + clock.rfind(',') + 1);
    EXPECT_GE(minute * 60 + second, 20 * 60 + 30) << clock;
    EXPECT_LT(minute * 60 + second, 22 * 60) << clock;
}

TEST_F(ProfilerTest, FileIndexListsTheCardInNameOrderWithFatStamps) {
    putCast("SV2.BIN", std::string(1234567, '\0'), localTimeOf(2014, 3, 5, 10, 20, 30));
    putCast("SV1.BIN", std::string(72, '\0'), localTimeOf(1999, 12, 31, 23, 59, 59));
    putCast(".hidden", "x", localTimeOf(2014, 3, 5, 10, 20, 30));
    putCast("A-NAME-LONGER-THAN-19", "x", localTimeOf(2014, 3, 5, 10, 20, 30));
    startProfiler();
    // 1999-12-31 23:59:59: date (19 << 9 | 12 << 5 | 31), time (23 << 11 | 59 << 5 | 29),
    // FAT keeps seconds in steps of two.
    EXPECT_EQ(fileIndex(*line_),
              "$cmd,fileindex,start*ff\r\n"
              "$cmd,file,0,SV1.BIN,72,10143,49021*ff\r\n"
              "$cmd,file,1,SV2.BIN,1234567,17509,21135*ff\r\n"
              "$cmd,fileindex,end*ff\r\n");
}

TEST_F(ProfilerTest, DeletionsChangeTheListAndTheSpaceDownToAnEmptyCard) {
    putCast("C1.BIN", sampleCast(10), localTimeOf(2020, 1, 1, 8, 0, 0));
    putCast("C2.BIN", sampleCast(20), localTimeOf(2020, 1, 2, 8, 0, 0));
    putCast("C3.BIN", sampleCast(30), localTimeOf(2020, 1, 3, 8, 0, 0));
    startProfiler();
    expectReplies(*line_, {{"$cmd,get,space*ff", "$cmd,get,space,7716768,7716864*ff\r\n"},
                           {"$cmd,delete,1*ff", "$cmd,Config,OK*ff\r\n"},
                           {"$cmd,delete,2*ff", "$cmd,Config,failed*ff\r\n"}});
    const std::string left = fileIndex(*line_);
    EXPECT_NE(left.find("$cmd,file,0,C1.BIN,"), std::string::npos) << left;
    EXPECT_NE(left.find("$cmd,file,1,C3.BIN,"), std::string::npos) << left;
    EXPECT_EQ(left.find("C2.BIN"), std::string::npos) << left;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "card" / "C2.BIN"));

    expectReplies(*line_, {{"$cmd,delete,all*ff", "$cmd,Config,OK*ff\r\n"},
                           {"$cmd,get,space*ff", "$cmd,get,space,7716864,7716864*ff\r\n"}});
    EXPECT_EQ(fileIndex(*line_), "$cmd,card,nofile*ff\r\n");
    expectReplies(*line_, {{"$cmd,send,fileindex,0*ff", "$cmd,send,file,nofile*ff\r\n"},
                           {"$cmd,send,file,3*ff", "$cmd,send,file,nofile*ff\r\n"},
                           {"$cmd,delete,0*ff", "$cmd,Config,failed*ff\r\n"},
                           {"$cmd,delete,all*ff", "$cmd,Config,OK*ff\r\n"}});
}

TEST_F(ProfilerTest, EraseTakesItsTimeWhileTheHostWaits) {
    putCast("C1.BIN", sampleCast(10), localTimeOf(2020, 1, 1, 8, 0, 0));
    ProfilerOptions options = testOptions();
    options.device.clearMs = 400;
    startProfiler(options);
    line_->send("$cmd,delete,all*ff");
    // A command queued behind the erase is answered after it, in order.
    line_->send("$cmd,get,workstate*ff");
    EXPECT_EQ(line_->readLine(), "$cmd,Config,OK*ff\r\n");
    EXPECT_EQ(line_->readLine(), "$cmd,get,workstate,0*ff\r\n");
}

TEST_F(ProfilerTest, RepeatSendsTheSameBlockAgain) {
    const std::string bytes = sampleCast(100);  // 3672 bytes: 7 full blocks and a short one
    putCast("R.BIN", bytes, localTimeOf(2020, 1, 1, 8, 0, 0));
    startProfiler();
    line_->exchange("$cmd,send,fileindex,0*ff");
    const auto block = [&](const char* command) {
        line_->send(command);
        return parseFrame(line_->readFrame()).value_or(ParsedFrame{}).payload;
    };
    // "3" moves past the block last sent, "7" sends it again; before any block both mean
    // the first one.
    const std::vector<std::pair<const char*, size_t>> steps = {
        {"7", 0}, {"3", 1}, {"7", 1}, {"7", 1}, {"3", 2}, {"3", 3},
        {"3", 4}, {"3", 5}, {"3", 6}, {"3", 7}, {"7", 7}, {"3", 8}};
    for (const auto& [step, blockNumber] : steps) {
        const std::string expected = bytes.substr(std::min(bytes.size(), blockNumber * 512), 512);
        EXPECT_TRUE(block((std::string("$cmd,send,file,") + step + "*ff").c_str()) == expected)
            << step << " for block " << blockNumber;
    }
    EXPECT_EQ(profiler_->counters().repeatsServed, 4u);
}

// Byte-exact downloads of short, one-byte-tail and whole-block files, clean and paced, are
// checked through the host's own download against this profiler.
TEST_F(ProfilerTest, EmptyCardIsFilledWithGeneratedCastsThatDownloadWhole) {
    ProfilerOptions options = testOptions();
    options.casts = 3;
    startProfiler(options);
    const std::string list = fileIndex(*line_);
    for (const char* name : {"CAST0001.BIN", "CAST0002.BIN", "CAST0003.BIN"}) {
        EXPECT_NE(list.find(name), std::string::npos) << list;
    }
    const std::string bytes = test::slurp(dir_ / "card" / "CAST0003.BIN");
    const Download got = download(*line_, 2);
    EXPECT_EQ(got.startReply, "$cmd,send,file,start*ff\r\n");
    EXPECT_EQ(got.step1Reply, "$cmd,send,file,1*ff\r\n");
    EXPECT_TRUE(got.framesOk);
    EXPECT_EQ(got.name, "CAST0003.BIN");
    EXPECT_EQ(got.announced, bytes.size());
    EXPECT_TRUE(got.bytes == bytes);  // binary: no dump on failure
    EXPECT_EQ(profiler_->counters().framesSent, (bytes.size() + 511) / 512);
}

TEST_F(ProfilerTest, StopsPromptlyWhileTheHostReadsNothingAndRemovesItsLink) {
    putCast("S.BIN", sampleCast(2000), localTimeOf(2020, 1, 1, 8, 0, 0));
    ProfilerOptions options = testOptions();
    options.linkPath = (dir_ / "port").string();
    startProfiler(options);
    EXPECT_EQ(std::filesystem::read_symlink(options.linkPath), profiler_->slavePath());
    line_->exchange("$cmd,send,fileindex,0*ff");
    // Far more frames than the pseudo-terminal holds: once it has begun, the profiler writes
    // until it blocks.
    for (int i = 0; i < 100; ++i) {
        line_->send("$cmd,send,file,3*ff");
    }
    ASSERT_TRUE(eventually([&] { return profiler_->counters().framesSent > 0; }));
    profiler_->stop();
    EXPECT_FALSE(profiler_->running());
    EXPECT_FALSE(std::filesystem::is_symlink(options.linkPath));
}

}  // namespace
}  // namespace quorvane::sim
