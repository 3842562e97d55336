#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/message.h"

namespace quorvane {

// Blocks stop coming for good (a size announced larger than the file, a dead card) rather than
// by chance when this many in a row had to be written as zeros: the file ends there.
inline constexpr int kBlocksGivenUpInARow = 5;

// How the transfer of one file ended.
enum class FileEnd {
    Running,      // still moving (progress reports)
    Complete,     // blocks came, or were written as zeros, up to the announced size
    GivenUp,      // blocks stopped coming: too many in a row written as zeros
    OutOfStep,    // the device's records stopped continuing the file: stopped, not drifted
    Short,        // the device's data ended before the size it announced
    SizeUnread,   // the announced size was no size: nothing made
    LinkLost,     // the line broke or a command could not be written
    Stopped,      // the window closed meanwhile
    WriteFailed,  // the disk refused the bytes
};

// What happened to one downloaded file, for the pane, the box, a window's own display and the
// command line's result line. Progress reports carry it half filled, end Running.
struct FileDownload {
    int row = -1;
    std::string name;      // the device's file name, decoded for display (UTF-8)
    std::string path;      // the file written (UTF-8), empty when none was made
    std::string sizeText;  // the size as the device announced it
    uint32_t announcedSize = 0;
    std::optional<uint64_t> listedSize;    // the size column of the file list, when it was one
    uint32_t bytesWritten = 0;             // bytes in the file, zeros of given-up blocks included
    uint32_t bytesFromDevice = 0;          // of those, bytes the device sent
    int blocks = 0;                        // blocks the announced size takes
    int blocksWritten = 0;                 // written from the device
    int blocksZeroFilled = 0;              // given up after 1000 ms and written as zeros
    int blocksSkipped = 0;                 // the newest block sent again, not written twice
    int blocksAskedAgain = 0;              // requests to send a block again
    int64_t elapsedMs = 0;                 // since the first block was asked for
    std::optional<uint64_t> validRecords;  // as the post-processing reads the finished file
    FileEnd end = FileEnd::Running;
    Text status;      // pane 1 (and the box): "%s receive OK!" only for a whole file
    Text completion;  // one line with what the file holds

    // The file-info frame and the file list disagree on the size: one of them is not the
    // device's file, and which bytes are missing cannot be told.
    bool sizeMismatch() const { return listedSize && *listedSize != announcedSize; }

    // Not the device's file as it is: a hole of zeros, a short end, a size that disagrees with
    // the list, or nothing at all.
    bool damaged() const {
        return end != FileEnd::Running &&
               !(end == FileEnd::Complete && bytesFromDevice == announcedSize && !sizeMismatch());
    }
};

}  // namespace quorvane
