#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// A painted chart: top-down rows of 0x00RRGGBB values (QImage::Format_RGB32 order; the top
// byte is ignored).
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

// The bit count of a saved bitmap for a screen of this colour depth.
int bitmapBitCount(int screenDepth);

// Writes a Windows bitmap file: the 54 header bytes, the rows bottom-up in blue-green-red(-0)
// order padded to four bytes, then the zero bytes that the header's image size counts beyond
// the padded rows. False when the pixels or the bit count are unusable or the file cannot be
// created or completely written and closed; a file cut off on the way is removed.
bool SaveBitmapFile(const Pixels& pixels, int bitCount, const std::string& utf8Path);

}  // namespace quorvane
