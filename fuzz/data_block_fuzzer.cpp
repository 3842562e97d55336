// Data blocks over a scripted port as the line may bring them: sound frames of raw records
// (in order, repeated, old, short, long, padded) and stray bytes, received one request at a
// time as a download asks for them. What is written never passes the announced size, and a
// short frame ends the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

#include "common/raw_format.h"
#include "device/protocol/block_frame.h"
#include "device/protocol/testing/channel_rig.h"
#include "device/protocol/transfer_waits.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

namespace {

// A payload of whole raw records numbered on from `first`, cut or padded to `length` bytes.
std::vector<uint8_t> recordPayload(int32_t first, size_t length) {
    std::vector<uint8_t> payload;
    for (int32_t number = first; payload.size() < length; ++number) {
        const RawRecord record = RawRecord::make(number, 1500.0f, 10.0f, 2.0f);
        payload.insert(payload.end(), record.bytes.begin(), record.bytes.end());
    }
    payload.resize(length);
    return payload;
}

std::vector<uint8_t> nextArrival(FuzzedDataProvider& input, int requested) {
    if (input.ConsumeBool()) {
        return input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 1100));
    }
    const size_t length = input.ConsumeBool()
                              ? size_t(requested)
                              : input.ConsumeIntegralInRange<size_t>(0, BlockFrame::kMaxPayload);
    std::vector<uint8_t> frame =
        makeBlockFrame(recordPayload(input.ConsumeIntegralInRange<int32_t>(-2, 200), length));
    if (input.ConsumeBool()) {
        frame[input.ConsumeIntegralInRange<size_t>(0, frame.size() - 1)] ^=
            input.ConsumeIntegral<uint8_t>();
    }
    return frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = fuzz::scratchPath("block.bin");
    FuzzedDataProvider input(data, size);

    ChannelRig rig;
    TransferState state;
    state.output = openFile(path, "wb");
    state.startFile();
    state.fileSize = input.ConsumeIntegralInRange<uint32_t>(0, 4 * BlockFrame::kMaxPayload);
    for (int request = 0;
         request < 32 && state.bytesReceived < state.fileSize && input.remaining_bytes() > 0;
         ++request) {
        const int requested =
            int(std::min<uint32_t>(state.fileSize - state.bytesReceived, BlockFrame::kMaxPayload));
        rig.port.deliver(nextArrival(input, requested));
        const uint32_t before = state.bytesReceived;
        const BlockResult result = ReceiveBlock(rig.channel, state, requested);
        fuzz::require(state.bytesReceived <= state.fileSize, "never past the announced size");
        fuzz::require(state.bytesReceived - before <= uint32_t(requested),
                      "a block brings no more than was asked for");
        const bool written = result == BlockResult::Handled || result == BlockResult::EndOfData;
        fuzz::require(written || state.bytesReceived == before,
                      "only a handled block or the end of the device's data is written");
        if (result == BlockResult::LinkBroken || result == BlockResult::WriteFailed ||
            result == BlockResult::EndOfData) {
            break;
        }
    }
    std::fflush(state.output.get());
    fuzz::require(fuzz::readBytes(path).size() == state.bytesReceived,
                  "the file holds exactly the bytes counted");
    return 0;
}
