#include "soak/soak_check.h"

#include <algorithm>

namespace quorvane::soak {

FileVerdict compareWithCard(std::string_view downloaded, std::string_view card) {
    if (downloaded == card) {
        return FileVerdict::Intact;
    }
    if (downloaded.size() > card.size()) {
        return FileVerdict::Corrupt;
    }
    constexpr size_t kBlock = 512;
    for (size_t offset = 0; offset < downloaded.size(); offset += kBlock) {
        const std::string_view block = downloaded.substr(offset, kBlock);
        const bool zeros = std::all_of(block.begin(), block.end(), [](char c) { return c == 0; });
        if (!zeros && block != card.substr(offset, block.size())) {
            return FileVerdict::Corrupt;
        }
    }
    return downloaded.size() == card.size() ? FileVerdict::ZeroFilled : FileVerdict::Partial;
}

const char* verdictName(FileVerdict verdict) {
    switch (verdict) {
        case FileVerdict::Intact:
            return "intact";
        case FileVerdict::ZeroFilled:
            return "zero-filled";
        case FileVerdict::Partial:
            return "partial";
        case FileVerdict::Corrupt:
            return "corrupt";
    }
    return "?";
}

}  // namespace quorvane::soak
