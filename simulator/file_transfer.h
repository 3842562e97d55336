#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "simulator/cast_store.h"
#include "simulator/device_answer.h"

namespace quorvane::sim {

// The instrument's side of one file download: "$cmd,send,fileindex,N" picks the file, then
// "$cmd,send,file,1" (echo), "2" (file-info frame), "3" (next 512-byte block), "7" (the same
// block again) and "4" (end frame) move it. The file is read whole when it is picked, so a
// deletion meanwhile does not break the transfer.
class FileTransfer {
  public:
    // Answers "$cmd,send,file,start*ff" or, for an index the card does not have,
    // "$cmd,send,file,nofile*ff".
    // A non-empty `announcedSize` stands in the file-info frame for the file's own size.
    DeviceAnswer select(int64_t index, const CastStore& store, const std::string& announcedSize);

    // Steps '1', '2', '3', '4' and '7'; nullopt for any other step (a bad command).
    std::optional<DeviceAnswer> step(char code);

    // True when the last pick failed because the card could not be read.
    bool readFailed() const { return readFailed_; }

  private:
    DeviceAnswer block(bool again);

    struct Picked {
        int64_t index = 0;
        std::string name;
        std::string bytes;
        std::string announcedSize;
    };
    std::optional<Picked> file_;
    size_t blockOffset_ = 0;  // start of the block last sent (or about to be sent first)
    size_t blockLength_ = 0;
    bool blockSent_ = false;
    bool readFailed_ = false;
};

}  // namespace quorvane::sim
