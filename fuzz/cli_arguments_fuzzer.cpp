// A quorvane-cli command line as a user may type it (words split at NUL bytes), taken apart
// with the options of both commands, and each word read as the numbers the options take.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/arguments.h"
#include "common/parse_number.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

namespace {

const std::set<std::string> kValued = {"out",      "lang",        "density",  "latitude",
                                       "interval", "start-depth", "filter",   "format",
                                       "time",     "utc-offset",  "position", "port"};
const std::set<std::string> kFlags = {"append", "yes", "all", "new", "set-clock"};

void readNumbers(const std::string& word) {
    if (const auto number = parseNumber(word)) {
        fuzz::require(std::isfinite(*number), "a number is finite");
    }
    if (const auto integer = parseInteger(word)) {
        fuzz::require(parseInteger(std::to_string(*integer)) == integer, "integers read back");
        fuzz::require(parseNumber(word).has_value(), "an integer is a number");
    }
    if (const auto whole = parseUnsigned(word)) {
        fuzz::require(parseUnsigned(std::to_string(*whole)) == whole, "unsigned read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words;
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= line.size();) {
        const size_t end = std::min(line.find('\0', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string& word : words) {
        readNumbers(word);
    }

    const Arguments args(words, kValued, kFlags);
    if (!args.error().empty()) {
        return 0;
    }
    for (const std::string& word : args.positional()) {
        fuzz::require(std::find(words.begin(), words.end(), word) != words.end(),
                      "a positional word is a word of the line");
    }
    for (const std::string& name : kValued) {
        std::string error;
        if (const auto number = args.number(name, error)) {
            fuzz::require(std::isfinite(*number) && error.empty(), "an option's number is sound");
        } else {
            fuzz::require(error.empty() == !args.value(name).has_value(),
                          "an option that is no number says so");
        }
    }
    return 0;
}
