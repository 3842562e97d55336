#include "postprocess/profilefiles/point_file.h"

#include <bit>

#include "common/file_io.h"

namespace quorvane {

// The records are the in-memory images of the point structs; both supported platforms are
// little-endian, which the file format is.
static_assert(std::endian::native == std::endian::little);

namespace {

template <typename Point>
PointFileResult savePoints(const std::string& path, const std::vector<Point>& points) {
    if (points.empty()) {
        return {false, PointFileProblem::NoData};
    }
    FileHandle file = openFile(path, "w+b");
    if (!file) {
        return {false, PointFileProblem::CannotCreate};
    }
    const bool written =
        std::fwrite(points.data(), sizeof(Point), points.size(), file.get()) == points.size();
    // A full disk usually shows only when the buffer is flushed or the file closed.
    if (!finishWriting(std::move(file)) || !written) {
        return {false, PointFileProblem::WriteIncomplete};
    }
    return {true, std::nullopt};
}

template <typename Point>
PointFileResult loadPoints(const std::string& path, std::vector<Point>& points) {
    FileHandle file = openFile(path, "rb");
    if (!file) {
        return {false, PointFileProblem::ReadFailed};
    }
    points.clear();
    Point point;
    // A trailing partial record is dropped.
    while (std::fread(&point, sizeof(Point), 1, file.get()) == 1) {
        points.push_back(point);
    }
    if (std::ferror(file.get())) {
        // What was read is kept, but the user must know the list is not the whole file.
        return {false, PointFileProblem::ReadFailed};
    }
    return {true, std::nullopt};
}

}  // namespace

PointFileResult SaveProfileFile(const std::string& path, const std::vector<ProfilePoint>& points) {
    return savePoints(path, points);
}

PointFileResult LoadProfileFile(const std::string& path, std::vector<ProfilePoint>& points) {
    return loadPoints(path, points);
}

PointFileResult SaveAverageFile(const std::string& path, const std::vector<AveragePoint>& points) {
    return savePoints(path, points);
}

PointFileResult LoadAverageFile(const std::string& path, std::vector<AveragePoint>& points) {
    return loadPoints(path, points);
}

}  // namespace quorvane
