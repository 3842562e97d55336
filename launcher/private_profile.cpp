#include "launcher/private_profile.h"

#include <fstream>
#include <iterator>

namespace quorvane {

namespace {

std::string_view trim(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string cut(std::string_view value, size_t bufferSize) {
    return std::string(value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
}

std::string unquoteAndCut(std::string_view value, size_t bufferSize) {
    value = trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return cut(value, bufferSize);
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t bufferSize) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string_view rest(text);
    if (rest.starts_with("\xEF\xBB\xBF")) {
        rest.remove_prefix(3);
    }
    bool inSection = false;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = trim(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const size_t close = line.rfind(']');
        if (line.starts_with('[') && close != std::string_view::npos) {
            inSection = sameName(trim(line.substr(1, close - 1)), section);
            continue;
        }
        const size_t equals = line.find('=');
        if (inSection && sameName(trim(line.substr(0, equals)), key)) {
            return unquoteAndCut(
                equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1),
                bufferSize);
        }
    }
    return cut(trim(defaultValue), bufferSize);
}

}  // namespace quorvane
