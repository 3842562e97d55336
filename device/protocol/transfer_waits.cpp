#include "device/protocol/transfer_waits.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "common/raw_format.h"
#include "device/protocol/block_frame.h"
#include "device/protocol/command_texts.h"

namespace quorvane {

namespace {

const Message kReadFailedExporting{
    BoxType::WarningOkCancel,
    {"导出文件中、读串口失败,请检查连接！",
     "Reading serial port failed when exporting file, please check the connection!"}};
const Message kCommunicationErr{
    BoxType::WarningOkCancel,
    {"通信错误，请检查硬件！", "Communication Err, Please Check Device!"}};

constexpr int kSilencesPerFile = 5;
constexpr int64_t kBlockSilenceMs = 200;
constexpr int kBadFramePauseMs = 50;
// The name starts after the nine payload bytes the device fills as it likes.
constexpr size_t kFileNameOffset = 13;

// Reads accumulate here; it is zero beyond what has arrived, so a comparison that reaches past
// the received bytes fails as it should.
class Accumulator {
  public:
    std::span<const uint8_t> bytes() const { return {buffer_.data(), size_}; }
    size_t size() const { return size_; }

    // One read, appended when it brings bytes. Broken: the port failed (and the box the
    // download shows for that is up) or the bytes would not leave room for a terminating zero
    // (the device sent more than a frame's worth in one wait).
    enum class Read { Nothing, Data, Broken };
    Read readFrom(CommandChannel& channel) {
        std::array<uint8_t, SerialPort::kMaxRead + 1> chunk{};
        const ReadResult read = channel.port().readAvailable({chunk.data(), SerialPort::kMaxRead});
        if (!read.ok) {
            channel.prompter().ask(kReadFailedExporting);
            return Read::Broken;
        }
        if (read.count == 0) {
            return Read::Nothing;
        }
        if (size_ + read.count >= buffer_.size()) {
            return Read::Broken;
        }
        std::copy_n(chunk.begin(), read.count, buffer_.begin() + std::ptrdiff_t(size_));
        size_ += read.count;
        return Read::Data;
    }

    // strncmp(buffer, text, n) == 0 over the zero-filled buffer: n may reach the text's own
    // terminating zero, which then demands that nothing follows it.
    bool startsWith(std::string_view text, size_t n) const {
        for (size_t i = 0; i < n && i < buffer_.size(); ++i) {
            const uint8_t want = i < text.size() ? uint8_t(text[i]) : 0;
            if (buffer_[i] != want) {
                return false;
            }
            if (want == 0) {
                return true;
            }
        }
        return true;
    }

  private:
    std::array<uint8_t, BlockFrame::kBufferSize> buffer_{};
    size_t size_ = 0;
};

// The size after the file-info frame's last comma, read as atoi reads it (leading blanks, a
// sign, digits up to the first other character) but refused when there is no digit, when it
// is negative, or when it does not fit the 32-bit size: atoi would make those 0, an empty
// file, or clamp them to a size the device never sends.
std::optional<uint32_t> parseFileSize(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    i += i < text.size() && (text[i] == '-' || text[i] == '+') ? 1 : 0;
    uint64_t value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + uint64_t(text[i] - '0');
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    if (digits == 0 || (negative && value != 0)) {
        return std::nullopt;
    }
    return uint32_t(value);
}

template <typename Result>
Result purged(SerialPort& port, Result result) {
    port.purge();
    return result;
}

// Step 2 of the handshake: the file-info frame, or nothing yet.
std::optional<FileReplyResult> decideFileInfo(CommandChannel& channel, TransferState& state,
                                              const Accumulator& received) {
    if (received.size() < BlockFrame::kHeaderSize) {
        return std::nullopt;
    }
    const std::span<const uint8_t> frame = received.bytes();
    const size_t n = framePayloadLength(frame);
    if (!hasFrameSync(frame) || n < 5 || n > BlockFrame::kMaxPayload) {
        channel.clock().sleepMs(kBadFramePauseMs);
        return FileReplyResult::NoAnswer;
    }
    if (received.size() < n + BlockFrame::kOverhead) {
        return std::nullopt;
    }
    size_t lastComma = 0;
    for (size_t i = 0; i < BlockFrame::kHeaderSize + n; ++i) {
        lastComma = frame[i] == ',' ? i : lastComma;
    }
    if (frameChecksum(frame, n) != frame[BlockFrame::kHeaderSize + n]) {
        return FileReplyResult::Rejected;
    }
    ParseFileInfo(state, frame, n, lastComma);
    return FileReplyResult::Expected;
}

std::optional<FileReplyResult> decide(CommandChannel& channel, TransferState& state,
                                      HandshakeStep step, const Accumulator& received,
                                      std::string_view expected, int length) {
    const size_t n = size_t(std::max(length, 0));
    switch (step) {
        case HandshakeStep::FileIndex:
            if (received.startsWith(expected, n)) {
                return FileReplyResult::Expected;
            }
            // Its terminating zero included: the answer must be all that has come.
            if (received.startsWith(kNoSuchFileReply, kNoSuchFileReply.size() + 1)) {
                return FileReplyResult::NoSuchFile;
            }
            return std::nullopt;
        case HandshakeStep::FileStart:
            if (received.startsWith(expected, n)) {
                return FileReplyResult::Expected;
            }
            return std::nullopt;
        case HandshakeStep::FileInfo:
            return decideFileInfo(channel, state, received);
        case HandshakeStep::FileEnd:
            if (received.size() >= BlockFrame::kHeaderSize &&
                received.size() >= framePayloadLength(received.bytes()) + BlockFrame::kOverhead) {
                return FileReplyResult::Rejected;
            }
            return std::nullopt;
    }
    return std::nullopt;
}

// Whether the file's bytes from `offset` on, `length` of them, hold a whole raw record (they
// follow the 72-byte header every 36 bytes): only such a block can be checked for continuity.
bool holdsWholeRecord(uint32_t offset, size_t length) {
    const uint64_t header = kRawHeaderSize;
    const uint64_t record = kRawRecordSize;
    const uint64_t start =
        offset <= header ? header : header + (offset - header + record - 1) / record * record;
    return start + record <= uint64_t(offset) + length;
}

// A sound frame: its records must continue those seen so far, the last block of the file
// like every other. `endOfData`: the device sent less than asked for and then nothing.
BlockResult acceptBlock(TransferState& state, std::span<const uint8_t> received, size_t n,
                        bool endOfData) {
    const std::span<const uint8_t> payload = received.subspan(BlockFrame::kHeaderSize, n);
    if (const std::optional<int32_t> first = firstRecordNumber(received)) {
        if (state.firstBlock) {
            state.firstBlock = false;
            state.lastRecordNumber = int32_t(int64_t(*first) - 1);
        }
        if (int64_t(*first) - state.lastRecordNumber > 20) {
            return BlockResult::AskAgain;  // records missing in between
        }
        // The caller tells a late old block from a device out of step with the host.
        if (*first < state.lastRecordNumber) {
            return BlockResult::OlderBlock;
        }
        if (*first == state.lastRecordNumber) {
            return BlockResult::AlreadyReceived;
        }
        state.lastRecordNumber = *first;
    } else if (holdsWholeRecord(state.bytesReceived, n)) {
        return BlockResult::AskAgain;
    }
    // A device may pad a short last block to a full frame: bytes past the announced size are
    // not the file's, and writing them would leave a cast longer than the one on the device.
    const uint64_t room =
        state.fileSize > state.bytesReceived ? uint64_t(state.fileSize - state.bytesReceived) : 0;
    const size_t kept = size_t(std::min<uint64_t>(n, room));
    if (!state.appendToOutput(payload.first(kept))) {
        return BlockResult::WriteFailed;
    }
    state.bytesReceived += uint32_t(kept);
    return endOfData ? BlockResult::EndOfData : BlockResult::Handled;
}

// The bytes are one sound frame shorter than the block asked for, and nothing more.
bool isEndOfDataFrame(const Accumulator& received, int requestedLength) {
    const std::span<const uint8_t> frame = received.bytes();
    if (frame.size() < BlockFrame::kOverhead || !hasFrameSync(frame)) {
        return false;
    }
    const size_t n = framePayloadLength(frame);
    return int64_t(n) < requestedLength && frame.size() == n + BlockFrame::kOverhead &&
           frameChecksum(frame, n) == frame[BlockFrame::kHeaderSize + n];
}

}  // namespace

FileReplyResult AwaitFileReply(CommandChannel& channel, TransferState& state, HandshakeStep step,
                               std::string_view expected, int length) {
    SerialPort& port = channel.port();
    int32_t& lastActivity = channel.timing().lastData;
    lastActivity = channel.SecondsOfDay();
    Accumulator received;
    for (;;) {
        switch (received.readFrom(channel)) {
            case Accumulator::Read::Broken:
                return FileReplyResult::LinkBroken;
            case Accumulator::Read::Nothing: {
                const int32_t now = channel.SecondsOfDay();
                if (std::llabs(int64_t(now) - lastActivity) <= 2) {
                    port.waitForInput();
                    continue;
                }
                lastActivity = now;
                if (++state.timeoutCount < kSilencesPerFile) {
                    return purged(port, FileReplyResult::NoAnswer);
                }
                channel.prompter().ask(kCommunicationErr);
                state.timeoutCount = 0;
                return FileReplyResult::LinkBroken;
            }
            case Accumulator::Read::Data:
                lastActivity = channel.SecondsOfDay();
                if (const auto result = decide(channel, state, step, received, expected, length)) {
                    return purged(port, *result);
                }
                continue;
        }
    }
}

BlockResult ReceiveBlock(CommandChannel& channel, TransferState& state, int requestedLength) {
    SerialPort& port = channel.port();
    Clock& clock = channel.clock();
    const int64_t wanted = int64_t(requestedLength) + int64_t(BlockFrame::kOverhead);
    int64_t lastData = clock.counter();
    Accumulator received;
    for (;;) {
        switch (received.readFrom(channel)) {
            case Accumulator::Read::Broken:
                return BlockResult::LinkBroken;
            case Accumulator::Read::Nothing:
                if (millisecondsSince(clock, lastData) > kBlockSilenceMs) {
                    // Taken only once the line stays quiet after it: a longer frame whose
                    // length field was hit by noise would go on arriving.
                    if (isEndOfDataFrame(received, requestedLength)) {
                        const size_t n = framePayloadLength(received.bytes());
                        return purged(port, acceptBlock(state, received.bytes(), n, true));
                    }
                    return purged(port, BlockResult::AskAgain);
                }
                port.waitForInput();
                continue;
            case Accumulator::Read::Data:
                lastData = clock.counter();
                break;
        }
        if (int64_t(received.size()) < wanted) {
            continue;
        }
        const std::span<const uint8_t> frame = received.bytes();
        const size_t n = framePayloadLength(frame);
        if (!hasFrameSync(frame) ||
            (int64_t(n) != requestedLength && n != BlockFrame::kMaxPayload)) {
            clock.sleepMs(kBadFramePauseMs);
            return purged(port, BlockResult::AskAgain);
        }
        if (received.size() < n + BlockFrame::kOverhead) {
            continue;
        }
        if (frameChecksum(frame, n) != frame[BlockFrame::kHeaderSize + n]) {
            return purged(port, BlockResult::AskAgain);
        }
        return purged(port, acceptBlock(state, frame, n, false));
    }
}

void ParseFileInfo(TransferState& state, std::span<const uint8_t> frame, size_t payloadLength,
                   size_t lastComma) {
    const size_t end = BlockFrame::kHeaderSize + payloadLength;  // the checksum's place
    if (lastComma <= kFileNameOffset || lastComma >= end || end > frame.size()) {
        state.fileSize = 0;
        state.sizeText.clear();
        state.sizeRead = false;
        return;
    }
    const auto text = [&](size_t from, size_t to) {
        const char* start = reinterpret_cast<const char*>(frame.data() + from);
        return std::string_view(start, strnlen(start, to - from));
    };
    state.fileName = text(kFileNameOffset, lastComma);
    state.sizeText = text(lastComma + 1, end);
    const std::optional<uint32_t> size = parseFileSize(state.sizeText);
    state.sizeRead = size.has_value();
    state.fileSize = size.value_or(0);
}

}  // namespace quorvane
