#include "postprocess/chart/bitmap_file.h"

#include <cstdio>
#include <filesystem>
#include <limits>

#include "common/file_io.h"

namespace quorvane {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

class LittleEndianWriter {
  public:
    explicit LittleEndianWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    void u16(uint16_t value) { put(value, 2); }
    void u32(uint32_t value) { put(value, 4); }

  private:
    void put(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    std::vector<uint8_t>& bytes_;
};

}  // namespace

int bitmapBitCount(int screenDepth) {
    return screenDepth <= 24 ? 24 : 32;
}

bool SaveBitmapFile(const Pixels& pixels, int bitCount, const std::string& utf8Path) {
    if (pixels.width <= 0 || pixels.height <= 0 || (bitCount != 24 && bitCount != 32) ||
        pixels.rgb.size() != uint64_t(pixels.width) * uint64_t(pixels.height)) {
        return false;
    }
    const uint64_t bytesPerPixel = uint64_t(bitCount) / 8;
    const uint64_t paddedRow = (uint64_t(pixels.width) * bitCount + 31) / 32 * 4;
    // The image size the platform's bitmap conversion states: up to three bytes per row more
    // than the padded rows hold; the surplus stays zero.
    const uint64_t imageSize =
        uint64_t(pixels.height) * ((uint64_t(pixels.width) * bitCount + 31) / 8);
    const uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + imageSize;
    if (fileSize > std::numeric_limits<uint32_t>::max()) {
        return false;
    }

    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(fileSize));
    LittleEndianWriter out(bytes);
    out.u16(0x4D42);
    out.u32(static_cast<uint32_t>(fileSize));
    out.u16(0);
    out.u16(0);
    out.u32(kFileHeaderSize + kInfoHeaderSize);
    out.u32(kInfoHeaderSize);
    out.u32(static_cast<uint32_t>(pixels.width));
    out.u32(static_cast<uint32_t>(pixels.height));
    out.u16(1);
    out.u16(static_cast<uint16_t>(bitCount));
    for (int field = 0; field < 6; ++field) {  // compression, image size, resolution, colours
        out.u32(0);
    }
    bytes.resize(static_cast<size_t>(fileSize), 0);
    uint8_t* row = bytes.data() + kFileHeaderSize + kInfoHeaderSize;
    for (int y = pixels.height - 1; y >= 0; --y, row += paddedRow) {
        const uint32_t* source = pixels.rgb.data() + size_t(y) * size_t(pixels.width);
        for (int x = 0; x < pixels.width; ++x) {
            uint8_t* target = row + x * bytesPerPixel;
            target[0] = static_cast<uint8_t>(source[x]);
            target[1] = static_cast<uint8_t>(source[x] >> 8);
            target[2] = static_cast<uint8_t>(source[x] >> 16);
        }
    }

    FileHandle file = openFile(utf8Path, "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (finishWriting(std::move(file)) && written) {
        return true;
    }
    // A cut-off bitmap is no chart, and a tool that looks for the file would take it for one:
    // nothing stays, as when the file cannot be created. Only a file itself goes, never a
    // device such as /dev/full or what a link points to.
    std::error_code ignored;
    const std::filesystem::path path = pathFromUtf8(utf8Path);
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ignored))) {
        std::filesystem::remove(path, ignored);
    }
    return false;
}

}  // namespace quorvane
