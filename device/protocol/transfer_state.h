#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/file_io.h"

namespace quorvane {

// What a download keeps while it moves one device file.
struct TransferState {
    FileHandle output;      // the file being written, open from creation to its end
    uint32_t fileSize = 0;  // bytes the device announced
    // The size as the file-info frame wrote it, and whether it was a size at all: a negative,
    // missing or unreadable one leaves fileSize 0 but must not pass for an empty file.
    std::string sizeText;
    bool sizeRead = true;
    uint32_t bytesReceived = 0;    // bytes appended (or zero-filled) so far
    int32_t timeoutCount = 0;      // silences of the handshake waits within this file
    int32_t lastRecordNumber = 0;  // record number of the newest raw record accepted
    bool firstBlock = true;        // no valid record seen yet in this file
    std::string fileName;          // as the device reported it; not safe as a path as it is

    // Per-file start: first-block flag set, timeout count cleared.
    void startFile();
    // Appends to the output file and flushes at once, so a broken transfer keeps what came.
    // False when no file is open or the file system refuses.
    bool appendToOutput(std::span<const uint8_t> bytes);
};

}  // namespace quorvane
