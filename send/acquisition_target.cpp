#include "send/acquisition_target.h"

#include <array>
#include <charconv>

namespace quorvane {

namespace {

constexpr std::array kKinds{
    TargetKindFacts{TargetKind::Sis4, "sis4", "Kongsberg SIS 4", 4001, DatagramKind::S01, true,
                    true},
    TargetKindFacts{TargetKind::Sis5, "sis5", "Kongsberg SIS 5 / K-Controller", 14002,
                    DatagramKind::S01, true, true},
    TargetKindFacts{TargetKind::Qinsy, "qinsy", "QPS Qinsy", 0, DatagramKind::S12, false, false},
    TargetKindFacts{TargetKind::Pds2000, "pds2000", "Teledyne PDS2000", 0, DatagramKind::S12, false,
                    false},
    TargetKindFacts{TargetKind::Ea440, "ea440", "Kongsberg EA440", 0, DatagramKind::S01, false,
                    false},
    TargetKindFacts{TargetKind::Hypack, "hypack", "HYPACK", 0, DatagramKind::Calc, false, false},
};

std::optional<uint16_t> portNumber(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535) {
        return std::nullopt;
    }
    return uint16_t(value);
}

}  // namespace

const TargetKindFacts& targetKindFacts(TargetKind kind) {
    return kKinds[size_t(kind)];
}

std::span<const TargetKindFacts> allTargetKinds() {
    return kKinds;
}

std::optional<TargetKind> targetKindNamed(std::string_view name) {
    for (const TargetKindFacts& facts : kKinds) {
        if (facts.name == name) {
            return facts.kind;
        }
    }
    return std::nullopt;
}

std::optional<DatagramKind> datagramKindNamed(std::string_view name) {
    for (const DatagramKind kind : {DatagramKind::S01, DatagramKind::S12, DatagramKind::Calc}) {
        if (datagramKindName(kind) == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::string_view datagramKindName(DatagramKind kind) {
    switch (kind) {
        case DatagramKind::S01:
            return "s01";
        case DatagramKind::S12:
            return "s12";
        case DatagramKind::Calc:
            break;
    }
    return "calc";
}

std::optional<AcquisitionTarget> parseTarget(std::string_view text) {
    const size_t at = text.find('@');
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<TargetKind> kind = targetKindNamed(text.substr(0, at));
    if (!kind) {
        return std::nullopt;
    }
    const TargetKindFacts& facts = targetKindFacts(*kind);
    AcquisitionTarget target{*kind, {}, facts.defaultPort, facts.datagram};
    std::string_view rest = text.substr(at + 1);
    if (const size_t slash = rest.find('/'); slash != std::string_view::npos) {
        const std::optional<DatagramKind> datagram = datagramKindNamed(rest.substr(slash + 1));
        if (!datagram) {
            return std::nullopt;
        }
        target.datagram = *datagram;
        rest = rest.substr(0, slash);
    }
    if (const size_t colon = rest.rfind(':'); colon != std::string_view::npos) {
        const std::optional<uint16_t> port = portNumber(rest.substr(colon + 1));
        if (!port) {
            return std::nullopt;
        }
        target.port = *port;
        rest = rest.substr(0, colon);
    }
    if (rest.empty() || target.port == 0) {
        return std::nullopt;
    }
    target.host = std::string(rest);
    return target;
}

std::string targetText(const AcquisitionTarget& target) {
    // Appended piece by piece: GCC 12 takes a chain of + here for an overlapping copy.
    std::string text(targetKindFacts(target.kind).name);
    text += '@';
    text += target.host;
    text += ':';
    text += std::to_string(target.port);
    if (target.datagram != targetKindFacts(target.kind).datagram) {
        text += '/';
        text += datagramKindName(target.datagram);
    }
    return text;
}

std::string targetListText(const std::vector<AcquisitionTarget>& targets) {
    std::string text;
    for (size_t i = 0; i < targets.size(); ++i) {
        const AcquisitionTarget& t = targets[i];
        text += "[target" + std::to_string(i + 1) + "]\n";
        text += "name=" + t.name + "\n";
        text += "kind=" + std::string(targetKindFacts(t.kind).name) + "\n";
        text += "host=" + t.host + "\n";
        text += "port=" + std::to_string(t.port) + "\n";
        text += "datagram=" + std::string(datagramKindName(t.datagram)) + "\n";
        text += "listen=" + std::to_string(t.listenPort) + "\n\n";
    }
    return text;
}

std::vector<AcquisitionTarget> readTargetList(std::string_view text) {
    std::vector<AcquisitionTarget> targets;
    struct Section {
        std::string name, kind, host, port, datagram, listen;
    };
    std::optional<Section> section;
    const auto finish = [&] {
        if (!section) {
            return;
        }
        // A hand-written section may leave the datagram and the listen port to their defaults.
        std::optional<AcquisitionTarget> target =
            parseTarget(section->kind + "@" + section->host + ":" + section->port +
                        (section->datagram.empty() ? "" : "/" + section->datagram));
        const std::optional<uint16_t> listen =
            section->listen.empty() ? kDefaultListenPort : portNumber(section->listen);
        if (target && listen) {
            target->listenPort = *listen;
            target->name = section->name;
            targets.push_back(*target);
        }
    };
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.starts_with('[')) {
            finish();
            section.emplace();
            continue;
        }
        const size_t equals = line.find('=');
        if (!section || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string value(line.substr(equals + 1));
        for (auto [name, field] : {std::pair{"name", &Section::name},
                                   {"kind", &Section::kind},
                                   {"host", &Section::host},
                                   {"port", &Section::port},
                                   {"datagram", &Section::datagram},
                                   {"listen", &Section::listen}}) {
            if (key == name) {
                (*section).*field = value;
            }
        }
    }
    finish();
    return targets;
}

}  // namespace quorvane
