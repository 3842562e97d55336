#include "postprocess/session/cast_file_list.h"

namespace quorvane {

std::optional<DisplayMode> modeOfExtension(const std::string& extension) {
    if (extension == "BIN" || extension == "bin")
        return DisplayMode::Raw;
    if (extension == "prf")
        return DisplayMode::Fitting;
    if (extension == "asvf")
        return DisplayMode::Average;
    return std::nullopt;
}

std::string FileTypeText(const std::string& extension, bool english) {
    const auto mode = modeOfExtension(extension);
    if (!mode) {
        return "";
    }
    switch (*mode) {
        case DisplayMode::Raw:
            return english ? "Raw Data" : "原始数据";
        case DisplayMode::Fitting:
            return english ? "Fitting data" : "拟合数据";
        case DisplayMode::Average:
            break;
    }
    return english ? "Average Velocity" : "平均声速";
}

bool CastFileList::add(const std::string& path, const std::string& extension,
                       const std::string& name, Prompter& prompter, bool english) {
    if (fileNames_.insert(name).second) {
        entries_.push_back({name, FileTypeText(extension, english), path});
        renumber();
        return true;
    }
    const Message replace{BoxType::YesNoQuestion,
                          {"当前文件列表已有同名文件，确定替换文件吗？",
                           "The file already exists.\nDo you want to replace it?"}};
    if (prompter.ask(replace) != Button::Yes) {
        return false;
    }
    for (FileEntry& entry : entries_) {
        if (entry.name == name) {
            entry.path = path;
        }
    }
    renumber();
    return true;
}

FileEntry CastFileList::remove(size_t row) {
    FileEntry removed = entries_.at(row);
    fileNames_.erase(removed.name);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
    renumber();
    return removed;
}

std::string CastFileList::pathOfNumber(int number) const {
    const auto it = pathByNumber_.find(number);
    return it == pathByNumber_.end() ? std::string() : it->second;
}

void CastFileList::renumber() {
    pathByNumber_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        pathByNumber_[static_cast<int>(i) + 1] = entries_[i].path;
    }
}

}  // namespace quorvane
