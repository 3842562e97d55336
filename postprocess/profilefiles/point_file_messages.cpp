#include "postprocess/profilefiles/point_file_messages.h"

#include "common/strformat.h"

namespace quorvane {

namespace {

// The texts that differ between the two file kinds.
struct FileKindTexts {
    Text empty;
    Text cannotCreate;
    const char* writeFailedZh;
    const char* writeFailedEn;
    const char* readFailedZh;
    const char* readFailedEn;
};

const FileKindTexts kProfileTexts{
    {"当前文件无声剖数据！", "No data in the file!"},
    {"保存声速剖面文件失败！", "Failed to save SVP file!"},
    "写入声速剖面文件%s失败，文件不完整（磁盘可能已满）！",
    "Failed to write SVP file : %s. The file is incomplete (the disk may be full).",
    "读取声剖数据文件%s失败！",
    "Failed to read SVP file : %s",
};

const FileKindTexts kAverageTexts{
    {"当前文件无平均声速数据，请点击“数据分析”菜单下“平均声速”菜单项设置平均声速！！",
     "No Average data in the file. Please set Average Sound Velocity First!"},
    {"保存平均声速文件失败！", "Failed to save Average File!"},
    "写入平均声速文件%s失败，文件不完整（磁盘可能已满）！",
    "Failed to write Average file : %s. The file is incomplete (the disk may be full).",
    "读取平均声速数据文件%s失败！",
    "Failed to read Average file : %s",
};

Text withPath(const char* zh, const char* en, const std::string& path) {
    return {strformat(zh, path.c_str()), strformat(en, path.c_str())};
}

Text textOf(const FileKindTexts& texts, PointFileProblem problem, const std::string& path) {
    switch (problem) {
        case PointFileProblem::NoData:
            return texts.empty;
        case PointFileProblem::CannotCreate:
            return texts.cannotCreate;
        case PointFileProblem::WriteIncomplete:
            return withPath(texts.writeFailedZh, texts.writeFailedEn, path);
        case PointFileProblem::ReadFailed:
            break;
    }
    return withPath(texts.readFailedZh, texts.readFailedEn, path);
}

}  // namespace

Message pointFileMessage(PointFileKind kind, PointFileProblem problem, const std::string& path) {
    const FileKindTexts& texts = kind == PointFileKind::Profile ? kProfileTexts : kAverageTexts;
    return {BoxType::WarningOkCancel, textOf(texts, problem, path)};
}

}  // namespace quorvane
