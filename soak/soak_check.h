#pragma once

#include <string_view>

namespace quorvane::soak {

// How a downloaded file compares with the device's file, block of 512 bytes by block.
enum class FileVerdict {
    Intact,      // the device's bytes exactly
    ZeroFilled,  // the full length; blocks that differ are all zeros, as a given-up block is
    Partial,     // shorter; what is there is the device's bytes or zero-filled blocks
    Corrupt,     // bytes the device never sent: longer, or a block neither the device's nor zeros
};

FileVerdict compareWithCard(std::string_view downloaded, std::string_view card);

const char* verdictName(FileVerdict verdict);

}  // namespace quorvane::soak
