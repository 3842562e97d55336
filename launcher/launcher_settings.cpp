#include "launcher/launcher_settings.h"

#include <climits>

#include "common/strformat.h"
#include "launcher/private_profile.h"

namespace quorvane {

int atoiValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool englishFromMultiLang(const std::filesystem::path& currentDirectory) {
    constexpr size_t kBufferSize = 40;
    const std::string value =
        readProfileString(currentDirectory / "Multi.lang", "English", "bEnglish", "0", kBufferSize);
    return atoiValue(value) != 0;
}

std::string titleVersionSuffix(int major, int minor, int patch) {
    return strformat(" V%d.%d.%d", major & 0xFF, minor & 0xFF, patch & 0xFF);
}

}  // namespace quorvane
