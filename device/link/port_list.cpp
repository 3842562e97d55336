#include "device/link/port_list.h"

#include <algorithm>

#include "common/system_texts.h"

namespace quorvane {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Compares two runs of digits by value without converting them, so any length is fine.
int compareDigitRuns(std::string_view a, std::string_view b) {
    const auto trim = [](std::string_view s) {
        const size_t first = s.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view{} : s.substr(first);
    };
    const std::string_view x = trim(a);
    const std::string_view y = trim(b);
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return x.compare(y);
}

size_t digitRunEnd(std::string_view s, size_t from) {
    while (from < s.size() && isDigit(s[from])) {
        ++from;
    }
    return from;
}

}  // namespace

bool naturalLess(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const size_t endA = digitRunEnd(a, i);
            const size_t endB = digitRunEnd(b, j);
            const int order = compareDigitRuns(a.substr(i, endA - i), b.substr(j, endB - j));
            if (order != 0) {
                return order < 0;
            }
            i = endA;
            j = endB;
        } else {
            if (a[i] != b[j]) {
                return a[i] < b[j];
            }
            ++i;
            ++j;
        }
    }
    // Equal up to here: the shorter one first, and plain text order breaks the remaining ties
    // ("ttyS01" against "ttyS1") so the order is strict.
    if ((a.size() - i) != (b.size() - j)) {
        return a.size() - i < b.size() - j;
    }
    return a < b;
}

int finishPortList(bool systemListRead, std::vector<std::string>& ports,
                   std::string_view extraPorts) {
    bool extraNamed = false;
    while (!extraPorts.empty()) {
        const size_t colon = extraPorts.find(':');
        const std::string_view name = extraPorts.substr(0, colon);
        extraPorts =
            colon == std::string_view::npos ? std::string_view{} : extraPorts.substr(colon + 1);
        if (name.empty()) {
            continue;
        }
        extraNamed = true;
        if (std::find(ports.begin(), ports.end(), name) == ports.end()) {
            ports.emplace_back(name);
        }
    }
    if (ports.size() > kMaxPorts) {
        ports.resize(kMaxPorts);
    }
    return systemListRead || extraNamed ? 1 : -1;
}

std::string extraPortsFromEnvironment() {
    return environmentVariable(kExtraPortsVariable).value_or("");
}

}  // namespace quorvane
