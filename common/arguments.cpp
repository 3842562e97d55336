#include "common/arguments.h"

#include "common/parse_number.h"

namespace quorvane {

Arguments::Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued,
                     const std::set<std::string>& flags) {
    for (size_t i = 0; i < words.size() && error_.empty(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0 || word == "--") {
            positional_.push_back(word);
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        if (flags.count(name) && equals == std::string::npos) {
            flags_.insert(name);
        } else if (!valued.count(name)) {
            error_ = "unknown option " + word;
        } else if (equals != std::string::npos) {
            values_.emplace(name, word.substr(equals + 1));
        } else if (i + 1 < words.size()) {
            values_.emplace(name, words[++i]);
        } else {
            error_ = "option --" + name + " needs a value";
        }
    }
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    const auto range = values_.equal_range(name);
    if (range.first == range.second) {
        return std::nullopt;
    }
    return std::prev(range.second)->second;
}

std::vector<std::string> Arguments::values(const std::string& name) const {
    std::vector<std::string> out;
    const auto range = values_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) {
        out.push_back(it->second);
    }
    return out;
}

std::optional<double> Arguments::number(const std::string& name, std::string& error) const {
    const auto text = value(name);
    if (!text) {
        return std::nullopt;
    }
    const auto parsed = parseNumber(*text);
    if (!parsed) {
        error = "--" + name + " needs a number, not '" + *text + "'";
    }
    return parsed;
}

}  // namespace quorvane
