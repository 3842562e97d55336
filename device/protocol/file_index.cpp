#include "device/protocol/file_index.h"

#include "device/protocol/command_texts.h"
#include "device/protocol/leading_number.h"
#include "device/protocol/reply_field.h"

namespace quorvane {

namespace {

// A line without its last character, which is the CR before its LF.
std::string_view withoutLastCharacter(std::string_view line) {
    return line.empty() ? line : line.substr(0, line.size() - 1);
}

}  // namespace

std::optional<FileIndexLine> parseFileIndexLine(std::string_view line) {
    if (!hasReplyMarkers(line)) {
        return std::nullopt;
    }
    // Keyword, number, name, size, date word, time word.
    const auto fields = commaFields(line, 6);
    if (!fields) {
        return std::nullopt;
    }
    const std::vector<std::string_view>& f = *fields;
    return FileIndexLine{std::string(f[1]), std::string(f[2]), std::string(f[3]),
                         uint16_t(parseLeadingInt(f[4])), uint16_t(parseLeadingInt(f[5]))};
}

std::optional<FileIndex> parseFileIndex(std::string_view reply) {
    const size_t firstLf = reply.find('\n');
    const size_t lastLf = reply.rfind('\n');
    const size_t lastDollar = reply.rfind('$');
    if (firstLf == std::string_view::npos || firstLf == lastLf) {
        return std::nullopt;
    }
    if (withoutLastCharacter(reply.substr(0, firstLf)) != kFileIndexStartLine) {
        return std::nullopt;
    }
    if (lastDollar == std::string_view::npos || lastDollar + 1 > lastLf ||
        reply.substr(lastDollar, lastLf - 1 - lastDollar) != kFileIndexEndLine) {
        return std::nullopt;
    }
    FileIndex index;
    for (size_t start = firstLf + 1, lf; (lf = reply.find('\n', start)) != std::string_view::npos;
         start = lf + 1) {
        const std::string_view line = withoutLastCharacter(reply.substr(start, lf - start));
        if (line == kFileIndexEndLine) {
            index.complete = true;
            break;
        }
        index.lines.push_back(parseFileIndexLine(line));
    }
    return index;
}

LocalDateTime fatDateTime(uint16_t dateWord, uint16_t timeWord) {
    return {(dateWord >> 9) + 1980, (dateWord >> 5) & 0x0F, dateWord & 0x1F,
            timeWord >> 11,         (timeWord >> 5) & 0x3F, (timeWord & 0x1F) * 2};
}

}  // namespace quorvane
