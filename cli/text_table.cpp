#include "cli/text_table.h"

#include <algorithm>
#include <cstdint>

#include "common/utf8_text.h"

namespace quorvane::cli {

namespace {

// Terminal columns of a UTF-8 text: the East Asian wide ranges take two (CJK, Hangul, fullwidth
// forms), everything else one. Bytes that are not UTF-8 count one each, as they print '?'.
size_t screenColumns(const std::string& text) {
    size_t columns = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t length = std::max<size_t>(1, utf8SequenceLength(text, at));
        uint32_t code = uint8_t(text[at]);
        if (length > 1) {
            code &= 0x3Fu >> (length - 1);
            for (size_t i = 1; i < length; ++i)
                code = (code << 6) | (uint8_t(text[at + i]) & 0x3Fu);
        }
        const bool wide =
            (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
            (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFF00 && code <= 0xFF60) || (code >= 0xFFE0 && code <= 0xFFE6);
        columns += wide ? 2 : 1;
        at += length;
    }
    return columns;
}

}  // namespace

std::string tableText(const std::vector<std::vector<std::string>>& rows,
                      const std::vector<bool>& rightAligned) {
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], screenColumns(row[i]));
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            const std::string padding(widths[i] - screenColumns(row[i]), ' ');
            const bool right = i < rightAligned.size() && rightAligned[i];
            if (i > 0)
                line += "  ";
            if (right)
                line += padding;
            line += row[i];
            if (!right && i + 1 < row.size())
                line += padding;
        }
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace quorvane::cli
