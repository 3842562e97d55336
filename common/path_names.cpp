#include "common/path_names.h"

namespace quorvane {

namespace {

size_t fileNameStart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

std::string fileNameOf(const std::string& path) {
    return path.substr(fileNameStart(path));
}

std::string baseNameOf(const std::string& path) {
    const size_t start = fileNameStart(path);
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start) {
        return path.substr(start);
    }
    return path.substr(start, dot - start);
}

std::string extensionOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < fileNameStart(path)) {
        return std::string();
    }
    return path.substr(dot + 1);
}

std::string nameBeforeFirstDot(const std::string& name) {
    const size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

}  // namespace quorvane
