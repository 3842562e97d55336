#include "device/protocol/transfer_waits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/raw_format.h"
#include "device/protocol/block_frame.h"
#include "device/protocol/testing/channel_rig.h"

namespace quorvane {
namespace {

using Bytes = std::vector<uint8_t>;
using Strings = std::vector<std::string>;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes frameOf(std::string_view payload) {
    return makeBlockFrame(bytesOf(payload));
}

// A payload of raw records numbered from `first`, cut or padded to `size` bytes. The numbers
// wrap round as the device's 32-bit counter does.
Bytes records(int32_t first, size_t size, size_t leading = 0) {
    Bytes payload(leading, 0x11);
    for (uint32_t n = uint32_t(first); payload.size() < size; ++n) {
        const RawRecord r = RawRecord::make(int32_t(n), 1500.0f, 10.0f, 2.0f);
        payload.insert(payload.end(), r.bytes.begin(), r.bytes.end());
    }
    payload.resize(size);
    return payload;
}

std::string fileBytes(TransferState& state) {
    std::string text;
    std::fflush(state.output.get());
    std::rewind(state.output.get());
    for (int c; (c = std::fgetc(state.output.get())) != EOF;) {
        text += char(c);
    }
    return text;
}

struct TransferRig : ChannelRig {
    TransferRig() {
        state.output.reset(std::tmpfile());
        state.startFile();
    }
    TransferState state;
};

TEST(BlockFrame, LayoutAndChecksum) {
    EXPECT_EQ(makeBlockFrame(Bytes{1, 2, 3}), (Bytes{0xAA, 0x55, 3, 0, 1, 2, 3, 0x08}));
    const Bytes big = makeBlockFrame(Bytes(512, 0xFF));
    ASSERT_EQ(big.size(), 517u);
    EXPECT_EQ(big[2], 0x00);
    EXPECT_EQ(big[3], 0x02);
    EXPECT_EQ(big.back(), 0x01);  // AA + 55 + 02 = 101; the 512 FF bytes add nothing mod 256
}

TEST(BlockFrame, FirstValidRecordNumber) {
    RawRecord badSum = RawRecord::make(7, 1500, 10, 2);
    badSum.bytes[35] ^= 1;
    RawRecord badZeros = RawRecord::make(8, 1500, 10, 2);
    badZeros.bytes[2] = 1;
    badZeros.bytes[35] += 1;  // checksum still right: only the 00 00 after the sync is wrong
    const RawRecord good = RawRecord::make(-5, 1500, 10, 2);

    Bytes bytes(3, 0xCC);
    bytes.insert(bytes.end(), badSum.bytes.begin(), badSum.bytes.end());
    bytes.insert(bytes.end(), badZeros.bytes.begin(), badZeros.bytes.end());
    EXPECT_EQ(firstRecordNumber(bytes), std::nullopt);
    bytes.insert(bytes.end(), good.bytes.begin(), good.bytes.end());
    EXPECT_EQ(firstRecordNumber(bytes), std::nullopt);  // must end before the last byte
    bytes.push_back(0);
    EXPECT_EQ(firstRecordNumber(bytes), -5);
}

TEST(ParseFileInfo, NameUpToTheLastCommaAndSizeAfterIt) {
    struct Case {
        std::string payload;
        std::string name;
        uint32_t size;
        bool read;  // a size, not something that only reads as 0 by atoi
    };
    const Case cases[] = {
        {"123456789SVP00001.BIN,12345", "SVP00001.BIN", 12345, true},
        {"123456789A,B.BIN,77", "A,B.BIN", 77, true},
        {"123456789SVP.BIN,12abc", "SVP.BIN", 12, true},
        {"123456789" + std::string(40, 'N') + ",5", std::string(40, 'N'), 5, true},
        {std::string("123456789AB\0CD,9", 16), "AB", 9, true},
        {"123456789X, +0", "X", 0, true},
        {"123456789X,4294967295", "X", 4294967295u, true},
        {"123456789X,-5", "X", 0, false},
        {"123456789X,4294967296", "X", 0, false},
        {"123456789X,", "X", 0, false},
        {"123456789,12", "previous", 0, false},  // comma at offset 13: no name
        {"123456789SVP.BIN", "previous", 0, false},
        {"12,4567890X.BIN", "previous", 0, false},
    };
    for (const Case& c : cases) {
        const Bytes frame = frameOf(c.payload);
        size_t lastComma = 0;
        for (size_t i = 0; i + 1 < frame.size(); ++i) {
            lastComma = frame[i] == ',' ? i : lastComma;
        }
        TransferState state;
        state.fileName = "previous";
        state.fileSize = 999;
        ParseFileInfo(state, frame, c.payload.size(), lastComma);
        EXPECT_EQ(state.fileName, c.name) << c.payload;
        EXPECT_EQ(state.fileSize, c.size) << c.payload;
        EXPECT_EQ(state.sizeRead, c.read) << c.payload;
    }
}

// The text a handshake step waits for, as the download passes it.
std::string_view expectedFor(HandshakeStep step) {
    return step == HandshakeStep::FileIndex   ? kFileStartReply
           : step == HandshakeStep::FileStart ? kFileStartEcho
                                              : "";
}

TEST(AwaitFileReply, HandshakeAnswers) {
    using enum HandshakeStep;
    using enum FileReplyResult;
    struct Case {
        const char* name;
        HandshakeStep step;
        std::vector<Bytes> chunks;
        FileReplyResult result;
        int sleep50 = 0;
    };
    const std::string start(kFileStartReply);
    const Bytes info = frameOf("123456789SVP00001.BIN,1024");
    Bytes badSum = info;
    badSum.back() ^= 0xFF;
    Bytes badSync = info;
    badSync[1] = 0x56;
    const Case cases[] = {
        {"index accepted", FileIndex, {bytesOf(start)}, Expected},
        {"index in pieces",
         FileIndex,
         {bytesOf(start.substr(0, 7)), bytesOf(start.substr(7))},
         Expected},
        {"no such file", FileIndex, {bytesOf(kNoSuchFileReply)}, NoSuchFile},
        {"no such file, then more",
         FileIndex,
         {bytesOf(std::string(kNoSuchFileReply) + "x")},
         NoAnswer},
        {"answer not at the start", FileIndex, {bytesOf("x" + start)}, NoAnswer},
        {"first step", FileStart, {bytesOf(kFileStartEcho)}, Expected},
        {"first step, index answer", FileStart, {bytesOf(start)}, NoAnswer},
        {"file info", FileInfo, {info}, Expected},
        {"file info in pieces",
         FileInfo,
         {Bytes(info.begin(), info.begin() + 3), Bytes(info.begin() + 3, info.end())},
         Expected},
        {"file info checksum", FileInfo, {badSum}, Rejected},
        {"file info sync", FileInfo, {badSync}, NoAnswer, 1},
        {"file info too short", FileInfo, {frameOf("1234")}, NoAnswer, 1},
        {"file info too long", FileInfo, {frameOf(std::string(513, 'x'))}, NoAnswer, 1},
        {"end answer", FileEnd, {frameOf("")}, Rejected},
        {"end answer incomplete", FileEnd, {Bytes{0xAA, 0x55, 9, 0, 1}}, NoAnswer},
    };
    for (const Case& c : cases) {
        TransferRig rig;
        for (const Bytes& chunk : c.chunks) {
            rig.port.deliver(chunk, 100);
        }
        const std::string_view expected = expectedFor(c.step);
        EXPECT_EQ(AwaitFileReply(rig.channel, rig.state, c.step, expected, int(expected.size())),
                  c.result)
            << c.name;
        EXPECT_EQ(rig.portEvents(), Strings{"purge"}) << c.name;
        EXPECT_EQ(rig.clock.sleeps(), std::vector<int>(size_t(c.sleep50), 50)) << c.name;
        EXPECT_EQ(rig.state.timeoutCount, c.result == NoAnswer && !c.sleep50) << c.name;
        EXPECT_TRUE(rig.shown.events.empty()) << c.name;
    }
}

TEST(AwaitFileReply, FifthSilenceOfAFileBreaksTheLink) {
    TransferRig rig;
    const auto attempt = [&] {
        return AwaitFileReply(rig.channel, rig.state, HandshakeStep::FileStart, kFileStartEcho, 21);
    };
    std::vector<FileReplyResult> results;
    for (int i = 0; i < 4; ++i) {
        results.push_back(attempt());
    }
    // A good answer in between does not reset the count.
    rig.port.deliver(kFileStartEcho);
    results.push_back(attempt());
    EXPECT_EQ(rig.state.timeoutCount, 4);
    EXPECT_TRUE(rig.shown.events.empty());
    results.push_back(attempt());
    EXPECT_EQ(results, (std::vector<FileReplyResult>{
                           FileReplyResult::NoAnswer, FileReplyResult::NoAnswer,
                           FileReplyResult::NoAnswer, FileReplyResult::NoAnswer,
                           FileReplyResult::Expected, FileReplyResult::LinkBroken}));
    EXPECT_EQ(rig.shown.events, Strings{"box49: Communication Err, Please Check Device!"});
    EXPECT_EQ(rig.state.timeoutCount, 0);
    EXPECT_EQ(rig.port.purgeCount(), 5);  // not after the broken link
}

TEST(AwaitFileReply, SilenceIsMeasuredInWholeSecondsAndSharedWithWaitReply) {
    TransferRig rig;
    rig.clock.advanceMs(900);  // 10:00:00.900
    EXPECT_EQ(AwaitFileReply(rig.channel, rig.state, HandshakeStep::FileIndex, kFileStartReply, 25),
              FileReplyResult::NoAnswer);
    EXPECT_EQ(rig.clock.nowMs(), 3000);
    EXPECT_EQ(rig.channel.timing().lastData, 36003);
}

TEST(AwaitFileReply, ReadFailureAndOverflowBreakTheLink) {
    TransferRig rig;
    rig.port.deliver("$cmd,send");
    rig.port.failReadAt();
    EXPECT_EQ(AwaitFileReply(rig.channel, rig.state, HandshakeStep::FileIndex, kFileStartReply, 25),
              FileReplyResult::LinkBroken);
    EXPECT_EQ(rig.shown.events,
              Strings{"box49: Reading serial port failed when exporting file, please check the "
                      "connection!"});

    rig.port.deliver(std::string(1000, 'x'));
    rig.port.deliver(std::string(24, 'x'));
    EXPECT_EQ(AwaitFileReply(rig.channel, rig.state, HandshakeStep::FileIndex, kFileStartReply, 25),
              FileReplyResult::LinkBroken);
    EXPECT_EQ(rig.shown.events.size(), 1u);
    EXPECT_EQ(rig.port.purgeCount(), 0);
}

TEST(ReceiveBlock, PaddedLastBlockIsCutToTheAnnouncedSize) {
    TransferRig rig;
    rig.state.fileSize = 512 + 100;
    rig.state.bytesReceived = 512;
    rig.state.firstBlock = false;
    rig.state.lastRecordNumber = 10;
    // The device answers the 100-byte last block with a full 512-byte frame.
    rig.port.deliver(makeBlockFrame(records(11, 512)));
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 100), BlockResult::Handled);
    EXPECT_EQ(rig.state.bytesReceived, 612u);
    const Bytes expected = records(11, 100);
    EXPECT_EQ(fileBytes(rig.state), std::string(expected.begin(), expected.end()));
}

TEST(ReceiveBlock, RecordContinuity) {
    struct Case {
        const char* name;
        bool firstBlock;
        int32_t lastRecord;
        int32_t firstInBlock;
        BlockResult result;
        bool written;
        int32_t lastAfter;
    };
    const Case cases[] = {
        {"first block starts anywhere", true, 0, 100, BlockResult::Handled, true, 100},
        {"next records", false, 10, 11, BlockResult::Handled, true, 11},
        {"a gap of 20", false, 10, 30, BlockResult::Handled, true, 30},
        {"a gap of 21", false, 10, 31, BlockResult::AskAgain, false, 10},
        {"the newest block again", false, 10, 10, BlockResult::AlreadyReceived, false, 10},
        {"older", false, 10, 9, BlockResult::OlderBlock, false, 10},
        {"far below", false, 119304647, 15, BlockResult::OlderBlock, false, 119304647},
        {"extreme numbers", false, INT32_MIN, INT32_MAX, BlockResult::AskAgain, false, INT32_MIN},
    };
    for (const Case& c : cases) {
        TransferRig rig;
        rig.state.fileSize = 10000;
        rig.state.bytesReceived = 1024;
        rig.state.firstBlock = c.firstBlock;
        rig.state.lastRecordNumber = c.lastRecord;
        rig.port.deliver(makeBlockFrame(records(c.firstInBlock, 512, 20)));
        EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 512), c.result) << c.name;
        EXPECT_EQ(rig.state.bytesReceived, c.written ? 1536u : 1024u) << c.name;
        EXPECT_EQ(fileBytes(rig.state).size(), c.written ? 512u : 0u) << c.name;
        EXPECT_EQ(rig.state.lastRecordNumber, c.lastAfter) << c.name;
        EXPECT_FALSE(rig.state.firstBlock) << c.name;
    }
}

TEST(ReceiveBlock, FrameChecks) {
    struct Case {
        const char* name;
        int requested;
        Bytes frame;
        BlockResult result;
        int sleep50;
        uint32_t received;
    };
    Bytes badSync = makeBlockFrame(records(1, 200));
    badSync[0] = 0xAB;
    Bytes badSum = makeBlockFrame(records(1, 200));
    badSum.back() ^= 1;
    const Case cases[] = {
        {"good", 200, makeBlockFrame(records(1, 200)), BlockResult::Handled, 0, 200},
        {"bad sync", 200, badSync, BlockResult::AskAgain, 1, 0},
        {"other length", 200, makeBlockFrame(records(1, 201)), BlockResult::AskAgain, 1, 0},
        {"512 for a shorter request, written whole", 200, makeBlockFrame(records(1, 512)),
         BlockResult::Handled, 0, 512},
        {"bad checksum", 200, badSum, BlockResult::AskAgain, 0, 0},
        {"no valid record", 200, makeBlockFrame(Bytes(200, 0xCC)), BlockResult::AskAgain, 0, 0},
    };
    for (const Case& c : cases) {
        TransferRig rig;
        rig.state.fileSize = 5000;
        rig.port.deliver(c.frame);
        EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, c.requested), c.result) << c.name;
        EXPECT_EQ(rig.clock.sleeps(), std::vector<int>(size_t(c.sleep50), 50)) << c.name;
        EXPECT_EQ(rig.state.bytesReceived, c.received) << c.name;
        EXPECT_EQ(rig.portEvents(), Strings{"purge"}) << c.name;
    }
}

TEST(ReceiveBlock, TwoHundredMillisecondsWithoutDataEndAnAttempt) {
    TransferRig rig;
    rig.state.fileSize = 5000;
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 512), BlockResult::AskAgain);
    EXPECT_EQ(rig.clock.nowMs(), 201);

    const Bytes frame = makeBlockFrame(records(1, 512));
    rig.port.deliver(Bytes(frame.begin(), frame.begin() + 100), 350);
    rig.port.deliver(Bytes(frame.begin() + 100, frame.end()), 550);  // 200 ms later: in time
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 512), BlockResult::Handled);

    rig.port.deliver(Bytes(frame.begin(), frame.begin() + 100), 600);
    rig.port.deliver(Bytes(frame.begin() + 100, frame.end()), 802);  // after a poll at 201 ms
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 512), BlockResult::AskAgain);
    EXPECT_EQ(rig.clock.nowMs(), 801);
    EXPECT_EQ(rig.state.bytesReceived, 512u);
    EXPECT_EQ(rig.port.purgeCount(), 3);
}

TEST(ReceiveBlock, BrokenLinkAndRefusingFile) {
    TransferRig rig;
    rig.state.fileSize = 100;
    rig.port.failReadAt();
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 100), BlockResult::LinkBroken);
    EXPECT_EQ(rig.shown.events.size(), 1u);

    rig.port.deliver(std::string(4, 'x'));  // not yet a whole frame: the next read overflows
    rig.port.deliver(std::string(1020, 'x'));
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 100), BlockResult::LinkBroken);
    EXPECT_EQ(rig.shown.events.size(), 1u);
    EXPECT_EQ(rig.port.purgeCount(), 0);

    rig.state.output.reset();
    rig.port.deliver(makeBlockFrame(Bytes(100, 1)));
    EXPECT_EQ(ReceiveBlock(rig.channel, rig.state, 100), BlockResult::WriteFailed);
    EXPECT_EQ(rig.state.bytesReceived, 0u);
}

}  // namespace
}  // namespace quorvane
