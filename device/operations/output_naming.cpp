#include "device/operations/output_naming.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "common/utf8_text.h"

namespace quorvane {

namespace {

// Beyond this many copies of one name something else is wrong; the file is not made.
constexpr int kMaxAttempts = 100000;

bool isForbiddenAscii(unsigned char c) {
    static constexpr std::string_view kForbidden = "/\\:*?\"<>|";
    return c < 0x20 || c == 0x7F || kForbidden.find(char(c)) != std::string_view::npos;
}

// Every character kept whole or replaced by '_', never more than `limit` bytes.
std::string replaceUnsafeCharacters(std::string_view text, size_t limit) {
    std::string safe;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        std::string_view piece = "_";
        if (c < 0x80) {
            piece = isForbiddenAscii(c) ? "_" : text.substr(i, 1);
        } else if (const size_t sequence = utf8SequenceLength(text, i); sequence > 0) {
            length = sequence;
            piece = text.substr(i, sequence);
        }
        if (safe.size() + piece.size() > limit) {
            break;
        }
        safe += piece;
        i += length;
    }
    return safe;
}

bool isReservedDeviceName(std::string_view text) {
    std::string base(text.substr(0, text.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    static constexpr std::string_view kReserved[] = {"CON", "PRN",    "AUX",
                                                     "NUL", "CONIN$", "CONOUT$"};
    if (std::find(std::begin(kReserved), std::end(kReserved), base) != std::end(kReserved)) {
        return true;
    }
    if (!base.starts_with("COM") && !base.starts_with("LPT")) {
        return false;
    }
    // Windows also takes the superscript digits one to three (in UTF-8) for port numbers.
    const std::string_view number = std::string_view(base).substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

// Windows drops trailing dots and blanks from a name, which would make it another name.
void replaceTrailingDotsAndBlanks(std::string& name) {
    for (size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); --i) {
        name[i - 1] = '_';
    }
}

void dropLastCharacter(std::string& utf8) {
    while (!utf8.empty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80) {
        utf8.pop_back();
    }
    if (!utf8.empty()) {
        utf8.pop_back();
    }
}

bool taken(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace

std::string safePathComponent(std::string_view text) {
    std::string safe = replaceUnsafeCharacters(text, kMaxComponentBytes);
    replaceTrailingDotsAndBlanks(safe);
    if (safe.empty()) {
        return "_";
    }
    if (isReservedDeviceName(safe)) {
        // Only a reserved name gives up its last character for the '_': a safe name of full
        // length must come back unchanged.
        if (safe.size() == kMaxComponentBytes) {
            dropLastCharacter(safe);
            replaceTrailingDotsAndBlanks(safe);
        }
        safe.insert(0, 1, '_');
    }
    return safe;
}

std::string dateTextForFileName(std::string_view dateColumn) {
    std::string text;
    for (char c : dateColumn) {
        if (c == ' ') {
            text += '_';
        } else if (c != ':') {
            text += c;
        }
    }
    return text;
}

std::string outputFileName(std::string_view dateText, std::string_view reportedName, int attempt) {
    std::string name(dateText);
    if (attempt > 0) {
        name += "(" + std::to_string(attempt) + ")";
    }
    name += "_";
    name += reportedName;
    return safePathComponent(name);
}

std::filesystem::path deviceDataFolder(const std::filesystem::path& workingFolder,
                                       std::string_view deviceId) {
    return workingFolder / "Data" / pathFromUtf8(safePathComponent(deviceId));
}

std::string incompleteFileName(std::string_view fileName) {
    constexpr std::string_view kMark = "_incomplete";
    constexpr size_t kLongestExtension = 4;
    size_t stemEnd = fileName.size();
    const size_t dot = fileName.rfind('.');
    if (dot != std::string_view::npos && dot > 0 && fileName.size() - dot - 1 >= 1 &&
        fileName.size() - dot - 1 <= kLongestExtension &&
        std::all_of(fileName.begin() + std::ptrdiff_t(dot) + 1, fileName.end(),
                    [](unsigned char c) { return std::isalnum(c) != 0; })) {
        stemEnd = dot;
    }
    const std::string_view extension = fileName.substr(stemEnd);
    std::string stem(fileName.substr(0, stemEnd));
    while (!stem.empty() && stem.size() + kMark.size() + extension.size() > kMaxComponentBytes) {
        dropLastCharacter(stem);
    }
    return safePathComponent(stem + std::string(kMark) + std::string(extension));
}

std::optional<OutputFile> createOutputFile(const std::filesystem::path& folder,
                                           std::string_view dateText,
                                           std::string_view reportedName) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::filesystem::path path =
            folder /
            pathFromUtf8(incompleteFileName(outputFileName(dateText, reportedName, attempt)));
        if (taken(path)) {
            continue;
        }
        // Fails rather than open a file that appeared since the test above.
        if (FileHandle file = createNewFile(utf8OfPath(path))) {
            return OutputFile{std::move(file), path};
        }
        if (!taken(path)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> keepWholeFile(const std::filesystem::path& received,
                                                   std::string_view dateText,
                                                   std::string_view reportedName) {
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::filesystem::path path =
            received.parent_path() / pathFromUtf8(outputFileName(dateText, reportedName, attempt));
        if (taken(path)) {
            continue;
        }
        if (renameWithoutReplacing(received, path)) {
            return path;
        }
        if (!taken(path)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace quorvane
