#include "postprocess/rawcast/raw_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/file_io.h"
#include "common/raw_scan.h"
#include "common/strformat.h"

namespace quorvane {

namespace {

// Up-front room for records: the whole cast when it is of any ordinary size (pages never
// filled cost nothing); beyond that the array grows as records are found.
constexpr uint64_t kMaxReserve = uint64_t(1) << 30;

// A folder, a pipe or a device holds no cast: read as one, a folder gave an all-zero header and
// an empty cast, and opening a pipe waits for a writer that may never come.
bool isOtherThanRegularFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(pathFromUtf8(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

// Surface records (no velocity, near-atmospheric pressure) are folded into a running mean in
// single precision, the way the instrument's own software has always averaged them.
class SurfaceMean {
  public:
    void add(float pressure) {
        mean_ = mean_ + (pressure - mean_) / static_cast<float>(count_);
        ++count_;
    }
    float value() const { return mean_; }

  private:
    float mean_ = 0.0f;
    int64_t count_ = 1;
};

}  // namespace

int64_t FileSizeOf(const std::string& path) {
    FileHandle file = openFile(path, "rb");
    if (!file || !seekTo(file.get(), 0, SEEK_END)) {
        return -1;
    }
    return tellPosition(file.get());
}

Text deviceTitle(const RawFileHeader& header) {
    const std::string firmware = header.firmwareVersion();
    return {
        strformat(" 设备ID：%08d   固件版本：%s", header.deviceId(), firmware.c_str()),
        strformat(" Device ID:%08d   Firmware Version:%s", header.deviceId(), firmware.c_str())};
}

RawLoadResult LoadRawFile(CastData& data, const std::string& path) {
    RawLoadResult result;
    if (isOtherThanRegularFile(path)) {
        result.problems.push_back(RawLoadProblem::FileSizeError);
        return result;
    }
    const int64_t size = FileSizeOf(path);
    if (size < 0) {
        result.problems.push_back(RawLoadProblem::SizeUnknown);
    }
    FileHandle file = openFile(path, "rb");
    if (!file) {
        result.problems.push_back(RawLoadProblem::CannotOpen);
        return result;
    }

    const size_t headerRead = std::fread(result.header.bytes.data(), 1, kRawHeaderSize, file.get());
    if (headerRead < kRawHeaderSize) {
        std::memset(result.header.bytes.data() + headerRead, 0, kRawHeaderSize - headerRead);
    }
    data.density = result.header.density();
    data.latitude = result.header.latitude();
    data.depthInterval = result.header.depthInterval();
    result.title = deviceTitle(result.header);
    result.headerApplied = true;

    data.rawRecords.clear();
    if (size <= static_cast<int64_t>(kRawHeaderSize) ||
        !seekTo(file.get(), static_cast<int64_t>(kRawHeaderSize), SEEK_SET)) {
        result.problems.push_back(RawLoadProblem::FileSizeError);
        return result;
    }

    const uint64_t remaining = static_cast<uint64_t>(size) - kRawHeaderSize;
    data.rawRecords.reserve(
        static_cast<size_t>(std::min<uint64_t>(remaining, kMaxReserve) / kRawRecordSize));
    SurfaceMean surface;
    bool sawSurface = false;
    scanRecords(file.get(), remaining, [&](const uint8_t* p) {
        const float velocity = readF32(p + 16);
        const float pressure = readF32(p + 24);
        if (velocity < 1e-7f && pressure < 1.2f) {
            surface.add(pressure);
            sawSurface = true;
        } else {
            RawRecord& record = data.rawRecords.emplace_back();
            std::memcpy(record.bytes.data(), p, kRawRecordSize);
        }
    });
    data.surfacePressure = sawSurface ? surface.value() : 0.0f;
    result.scanned = true;
    return result;
}

}  // namespace quorvane
