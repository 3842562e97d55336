#include "postprocess/profilefiles/point_file.h"

#include <bit>

#include "common/file_io.h"
#include "common/strformat.h"

namespace quorvane {

// The records are the in-memory images of the point structs; both supported platforms are
// little-endian, which the file format is.
static_assert(std::endian::native == std::endian::little);

namespace {

// The texts that differ between the two file kinds.
struct FileKindTexts {
    Message empty;
    Message cannotCreate;
    const char* writeFailedZh;
    const char* writeFailedEn;
    const char* readFailedZh;
    const char* readFailedEn;
};

const FileKindTexts kProfileTexts{
    {BoxType::WarningOkCancel, {"当前文件无声剖数据！", "No data in the file!"}},
    {BoxType::WarningOkCancel, {"保存声速剖面文件失败！", "Failed to save SVP file!"}},
    "写入声速剖面文件%s失败，文件不完整（磁盘可能已满）！",
    "Failed to write SVP file : %s. The file is incomplete (the disk may be full).",
    "读取声剖数据文件%s失败！",
    "Failed to read SVP file : %s",
};

const FileKindTexts kAverageTexts{
    {BoxType::WarningOkCancel,
     {"当前文件无平均声速数据，请点击“数据分析”菜单下“平均声速”菜单项设置平均声速！！",
      "No Average data in the file. Please set Average Sound Velocity First!"}},
    {BoxType::WarningOkCancel, {"保存平均声速文件失败！", "Failed to save Average File!"}},
    "写入平均声速文件%s失败，文件不完整（磁盘可能已满）！",
    "Failed to write Average file : %s. The file is incomplete (the disk may be full).",
    "读取平均声速数据文件%s失败！",
    "Failed to read Average file : %s",
};

Message withPath(const char* zh, const char* en, const std::string& path) {
    return {BoxType::WarningOkCancel, {strformat(zh, path.c_str()), strformat(en, path.c_str())}};
}

template <typename Point>
PointFileResult savePoints(const std::string& path, const std::vector<Point>& points,
                           const FileKindTexts& texts) {
    if (points.empty()) {
        return {false, texts.empty};
    }
    FileHandle file = openFile(path, "w+b");
    if (!file) {
        return {false, texts.cannotCreate};
    }
    const bool written =
        std::fwrite(points.data(), sizeof(Point), points.size(), file.get()) == points.size();
    // A full disk usually shows only when the buffer is flushed or the file closed.
    if (!finishWriting(std::move(file)) || !written) {
        return {false, withPath(texts.writeFailedZh, texts.writeFailedEn, path)};
    }
    return {true, std::nullopt};
}

template <typename Point>
PointFileResult loadPoints(const std::string& path, std::vector<Point>& points,
                           const FileKindTexts& texts) {
    FileHandle file = openFile(path, "rb");
    if (!file) {
        return {false, withPath(texts.readFailedZh, texts.readFailedEn, path)};
    }
    points.clear();
    Point point;
    // A trailing partial record is dropped.
    while (std::fread(&point, sizeof(Point), 1, file.get()) == 1) {
        points.push_back(point);
    }
    if (std::ferror(file.get())) {
        // What was read is kept, but the user must know the list is not the whole file.
        return {false, withPath(texts.readFailedZh, texts.readFailedEn, path)};
    }
    return {true, std::nullopt};
}

}  // namespace

PointFileResult SaveProfileFile(const std::string& path, const std::vector<ProfilePoint>& points) {
    return savePoints(path, points, kProfileTexts);
}

PointFileResult LoadProfileFile(const std::string& path, std::vector<ProfilePoint>& points) {
    return loadPoints(path, points, kProfileTexts);
}

PointFileResult SaveAverageFile(const std::string& path, const std::vector<AveragePoint>& points) {
    return savePoints(path, points, kAverageTexts);
}

PointFileResult LoadAverageFile(const std::string& path, std::vector<AveragePoint>& points) {
    return loadPoints(path, points, kAverageTexts);
}

}  // namespace quorvane
