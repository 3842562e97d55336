#include "device/protocol/transfer_state.h"

namespace quorvane {

void TransferState::startFile() {
    firstBlock = true;
    timeoutCount = 0;
}

bool TransferState::appendToOutput(std::span<const uint8_t> bytes) {
    if (!output) {
        return false;
    }
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), output.get());
    return std::fflush(output.get()) == 0 && written == bytes.size();
}

}  // namespace quorvane
