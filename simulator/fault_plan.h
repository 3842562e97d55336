#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulator/noise_source.h"

namespace quorvane::sim {

// The misbehaviours the virtual profiler can be told to show. The first six strike data
// frames (answers to "3" and "7", repeats included), the others strike received commands.
enum class FaultKind {
    Checksum,  // the frame's checksum byte is wrong
    Payload,   // line noise: a payload byte changes after the checksum was made
    Drop,      // the frame never reaches the line
    Gap,       // the records in the frame jump ahead in their numbering
    Hangup,    // half the frame goes out, then the line goes dead (and comes back later)
    Mute,      // one block of every file is never sent, however often it is asked for
    Silence,   // the device stalls, deaf, before it answers
    Bad,       // "$cmd,Bad,Command*ff\r\n" instead of the answer
    SvpOk,     // "svp_ok\r\n" instead of the answer
    Failed,    // "$cmd,Config,failed*ff\r\n" instead of the answer
    Stray,     // an unsolicited line goes out before the answer
};

// One switch: either at an exact 1-based event position, or at a rate per event.
struct FaultRule {
    FaultKind kind = FaultKind::Checksum;
    uint64_t position = 0;  // 0: use the rate
    double rate = 0.0;
    int argument = 0;  // silence/hang-up milliseconds, gap size in records
};

struct FaultParse {
    std::optional<FaultRule> rule;
    std::string error;
};

// Parses "KIND@N[:ARG]" or "KIND:RATE[:ARG]" (see faultUsage()).
FaultParse parseFaultRule(const std::string& text);

// The fault part of the usage text.
const char* faultUsage();

// What happens to one command before the device acts on it.
struct CommandFaults {
    int silenceMs = 0;
    bool stray = false;
    std::string replacement;  // non-empty: sent instead of the answer, the command is not executed
};

// What happens to one data frame on its way out.
struct FrameFaults {
    bool badChecksum = false;
    std::optional<size_t> noisyPayloadByte;  // index into the payload
    bool drop = false;
    int gapRecords = 0;
    std::optional<int> hangupReplugMs;  // -1: stays unplugged
};

// Decides, deterministically for a seed and a sequence of events, which faults strike.
class FaultPlan {
  public:
    FaultPlan(std::vector<FaultRule> rules, uint64_t seed);

    CommandFaults forCommand(uint64_t commandNumber);
    // `block` is the frame's block number in its file, from 1 (what Mute counts).
    FrameFaults forFrame(uint64_t frameNumber, size_t payloadSize, uint64_t block);
    bool empty() const { return rules_.empty(); }

  private:
    bool strikes(const FaultRule& rule, uint64_t event);

    std::vector<FaultRule> rules_;
    NoiseSource noise_;
};

}  // namespace quorvane::sim
