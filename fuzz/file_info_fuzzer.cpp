// The file-info frame that answers "$cmd,send,file,2*ff", as the line may bring it: awaited
// over a scripted port (the frame check, then the name and size cut), and cut on its own.
#include <algorithm>
#include <span>
#include <string_view>

#include "device/protocol/block_frame.h"
#include "device/protocol/command_texts.h"
#include "device/protocol/testing/channel_rig.h"
#include "device/protocol/transfer_waits.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

namespace {

void requireSoundCut(const TransferState& state, std::span<const uint8_t> frame) {
    fuzz::require(state.sizeRead || state.fileSize == 0, "an unread size is no size");
    fuzz::require(state.fileName.size() + state.sizeText.size() <= frame.size(),
                  "the name and the size are parts of the frame");
    fuzz::require(state.fileName.find('\0') == std::string::npos &&
                      state.sizeText.find('\0') == std::string::npos,
                  "a cut text ends at its first zero");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> frame(data, size);

    ChannelRig rig;
    rig.port.deliver(std::string_view(reinterpret_cast<const char*>(data), size));
    TransferState awaited;
    const FileReplyResult result =
        AwaitFileReply(rig.channel, awaited, HandshakeStep::FileInfo, kSendFileInfo, 0);
    if (result == FileReplyResult::Expected) {
        requireSoundCut(awaited, frame);
    }

    // The cut alone, for every place of the last comma the frame can give.
    if (size >= BlockFrame::kOverhead) {
        const size_t payload = std::min(framePayloadLength(frame), size - BlockFrame::kOverhead);
        const auto end = frame.begin() + std::ptrdiff_t(BlockFrame::kHeaderSize + payload);
        const auto comma = std::find(std::make_reverse_iterator(end), frame.rend(), ',');
        TransferState cut;
        ParseFileInfo(cut, frame, payload,
                      comma == frame.rend() ? 0 : size_t(std::distance(comma, frame.rend()) - 1));
        requireSoundCut(cut, frame);
    }
    return 0;
}
