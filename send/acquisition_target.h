#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The acquisition packages a profile can be sent to.
enum class TargetKind { Sis4, Sis5, Qinsy, Pds2000, Ea440, Hypack };

// The text a package takes: Kongsberg's sound speed datagram applied at once (S01) or opened
// in the package's profile editor (S12), or AML's "CALC" file.
enum class DatagramKind { S01, S12, Calc };

// What a package needs, as far as public descriptions and the packages' users tell.
struct TargetKindFacts {
    TargetKind kind;
    std::string_view name;   // as --to and the targets file spell it
    std::string_view title;  // as the window shows it
    uint16_t defaultPort;    // 0: none is usual, the user gives it
    DatagramKind datagram;   // the one it takes unless the user chooses another
    bool deepPoint;          // the 12000 m point: for SIS only
    bool confirms;           // sends back the profile it now uses
};

const TargetKindFacts& targetKindFacts(TargetKind kind);
std::span<const TargetKindFacts> allTargetKinds();
std::optional<TargetKind> targetKindNamed(std::string_view name);
std::optional<DatagramKind> datagramKindNamed(std::string_view name);  // s01, s12, calc
std::string_view datagramKindName(DatagramKind kind);

inline constexpr uint16_t kDefaultListenPort = 16103;

// One place a profile goes: a package on a host, and where its receipt comes back.
struct AcquisitionTarget {
    TargetKind kind = TargetKind::Sis4;
    std::string host{};
    uint16_t port = 0;
    DatagramKind datagram = DatagramKind::S01;
    uint16_t listenPort = kDefaultListenPort;
    std::string name{};  // the user's, for the list of kept targets

    bool operator==(const AcquisitionTarget&) const = default;
};

// "KIND@HOST[:PORT][/DATAGRAM]" as --to takes it: sis4@192.168.1.20, qinsy@10.0.0.5:4001,
// ea440@10.0.0.7:4001/calc. Nothing for an unknown kind, an empty host, a port that is no
// number in 1..65535, or no port where the kind has no usual one.
std::optional<AcquisitionTarget> parseTarget(std::string_view text);

// The same text back, the port always written.
std::string targetText(const AcquisitionTarget& target);

// The targets a user keeps, as an INI text: one section a target ("[target1]" ...) with
// name, kind, host, port, datagram and listen keys. Reading skips a section that does not
// make a target (an unknown kind, no host, a bad port) rather than losing the others.
std::string targetListText(const std::vector<AcquisitionTarget>& targets);
std::vector<AcquisitionTarget> readTargetList(std::string_view text);

}  // namespace quorvane
