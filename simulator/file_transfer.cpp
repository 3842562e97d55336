#include "simulator/file_transfer.h"

#include <algorithm>

#include "common/strformat.h"
#include "simulator/frame_encoder.h"

namespace quorvane::sim {
namespace {

constexpr const char* kStart = "$cmd,send,file,start*ff\r\n";
constexpr const char* kNoFile = "$cmd,send,file,nofile*ff\r\n";
constexpr const char* kStep1Echo = "$cmd,send,file,1*ff\r\n";
// The end frame carries a short marker; the host only looks at its length field.
constexpr const char* kEndPayload = "end";

}  // namespace

DeviceAnswer FileTransfer::select(int64_t index, const CastStore& store,
                                  const std::string& announcedSize) {
    file_.reset();
    readFailed_ = false;
    const std::vector<StoredCast> casts = store.list();
    if (index < 0 || static_cast<uint64_t>(index) >= casts.size()) {
        return DeviceAnswer::text(kNoFile);
    }
    const StoredCast& cast = casts[static_cast<size_t>(index)];
    std::optional<std::string> bytes = store.read(cast.name);
    if (!bytes) {
        readFailed_ = true;
        return DeviceAnswer::text(kNoFile);
    }
    std::string size = announcedSize.empty() ? std::to_string(bytes->size()) : announcedSize;
    file_ = Picked{index, cast.name, std::move(*bytes), std::move(size)};
    blockOffset_ = 0;
    blockLength_ = 0;
    blockSent_ = false;
    return DeviceAnswer::text(kStart);
}

std::optional<DeviceAnswer> FileTransfer::step(char code) {
    if (code != '1' && code != '2' && code != '3' && code != '4' && code != '7') {
        return std::nullopt;
    }
    if (!file_) {
        return DeviceAnswer::text(kNoFile);
    }
    switch (code) {
        case '1':
            return DeviceAnswer::text(kStep1Echo);
        case '2':
            // Nine bytes the host skips (here the card index), then name and size.
            return DeviceAnswer::frame(
                strformat("%08lld,%s,%s", static_cast<long long>(file_->index), file_->name.c_str(),
                          file_->announcedSize.c_str()));
        case '3':
            return block(false);
        case '7':
            return block(true);
        default:
            file_.reset();
            return DeviceAnswer::frame(kEndPayload);
    }
}

// "3" moves past the block last sent, "7" sends it again. Past the end of the file the
// frame is empty.
DeviceAnswer FileTransfer::block(bool again) {
    if (!again && blockSent_) {
        blockOffset_ += blockLength_;
    }
    blockSent_ = true;
    const size_t size = file_->bytes.size();
    const size_t offset = std::min(blockOffset_, size);
    blockLength_ = std::min(kMaxFramePayload, size - offset);
    DeviceAnswer answer = DeviceAnswer::data(file_->bytes.substr(offset, blockLength_), again);
    answer.block = blockOffset_ / kMaxFramePayload + 1;
    return answer;
}

}  // namespace quorvane::sim
