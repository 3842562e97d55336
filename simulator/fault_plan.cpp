#include "simulator/fault_plan.h"

#include <array>
#include <string_view>

#include "common/parse_number.h"
#include "simulator/subcommand.h"

namespace quorvane::sim {
namespace {

struct KindInfo {
    std::string_view name;
    FaultKind kind;
    int defaultArgument;  // 0: the kind takes no argument
};

constexpr std::array<KindInfo, 11> kKinds{{
    {"checksum", FaultKind::Checksum, 0},
    {"payload", FaultKind::Payload, 0},
    {"drop", FaultKind::Drop, 0},
    {"gap", FaultKind::Gap, 100},
    {"hangup", FaultKind::Hangup, 1000},
    {"mute", FaultKind::Mute, 0},
    {"silence", FaultKind::Silence, 2500},
    {"bad", FaultKind::Bad, 0},
    {"svpok", FaultKind::SvpOk, 0},
    {"failed", FaultKind::Failed, 0},
    {"stray", FaultKind::Stray, 0},
}};

// The enum lists the frame faults first, then the command faults.
bool strikesCommands(FaultKind kind) {
    return kind >= FaultKind::Silence;
}

const KindInfo* findKind(std::string_view name) {
    for (const KindInfo& info : kKinds) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

std::optional<double> parseRate(const std::string& text) {
    const auto value = parseNumber(text);
    if (!value || !(*value > 0.0 && *value <= 1.0)) {
        return std::nullopt;
    }
    return value;
}

// "2500ms", "2500" or "2.5s" for durations; "never" for a line that stays dead.
std::optional<int> parseArgument(FaultKind kind, std::string_view text) {
    if (kind == FaultKind::Hangup && text == "never") {
        return -1;
    }
    if (kind == FaultKind::Gap) {
        const auto count = parseUnsigned(text);
        if (!count || *count == 0 || *count > 1000000) {
            return std::nullopt;
        }
        return static_cast<int>(*count);
    }
    double scale = 1.0;
    if (text.ends_with("ms")) {
        text.remove_suffix(2);
    } else if (text.ends_with("s")) {
        text.remove_suffix(1);
        scale = 1000.0;
    }
    const auto value = parseNumber(text);
    if (!value || *value < 0.0 || *value * scale > 3600000.0) {
        return std::nullopt;
    }
    return static_cast<int>(*value * scale);
}

}  // namespace

FaultParse parseFaultRule(const std::string& text) {
    const size_t split = text.find_first_of("@:");
    const KindInfo* info = findKind(std::string_view(text).substr(0, split));
    if (info == nullptr) {
        return {std::nullopt, "unknown fault kind in '" + text + "'"};
    }
    if (split == std::string::npos) {
        return {std::nullopt, "fault '" + text + "' needs @POSITION or :RATE"};
    }
    const size_t argumentColon = text.find(':', split + 1);
    const std::string where =
        text.substr(split + 1, argumentColon == std::string::npos ? std::string::npos
                                                                  : argumentColon - split - 1);
    FaultRule rule;
    rule.kind = info->kind;
    rule.argument = info->defaultArgument;
    if (text[split] == '@') {
        const auto position = parseUnsigned(where);
        if (!position || *position == 0) {
            return {std::nullopt, "fault position must be a whole number from 1: '" + text + "'"};
        }
        rule.position = *position;
    } else if (info->kind == FaultKind::Mute) {
        return {std::nullopt, "mute takes a block number: '" + text + "'"};
    } else {
        const auto rate = parseRate(where);
        if (!rate) {
            return {std::nullopt, "fault rate must lie in (0, 1]: '" + text + "'"};
        }
        rule.rate = *rate;
    }
    if (argumentColon != std::string::npos) {
        const auto argument =
            info->defaultArgument == 0
                ? std::nullopt
                : parseArgument(info->kind, std::string_view(text).substr(argumentColon + 1));
        if (!argument) {
            return {std::nullopt, "bad or unexpected fault argument in '" + text + "'"};
        }
        rule.argument = *argument;
    }
    return {rule, {}};
}

const char* faultUsage() {
    return "Fault switches (repeatable; positions count from 1, rates are per event):\n"
           "  --fault KIND@N[:ARG]     strike the N-th event\n"
           "  --fault KIND:RATE[:ARG]  strike each event with probability RATE (0 < RATE <= 1)\n"
           "  --fault-seed S           seed of the rate draws (default 1)\n"
           " Events are data frames (answers to file,3 and file,7, repeats included) for:\n"
           "  checksum        wrong checksum byte\n"
           "  payload         one payload byte changed on the line (checksum no longer fits)\n"
           "  drop            frame not sent (the device thinks it was)\n"
           "  gap[:K]         record numbers in the frame jump by K (default 100)\n"
           "  hangup[:MS]     half the frame, then the line dies; a new port appears after MS\n"
           "                  (default 1000ms, 'never' to stay dead)\n"
           "  mute@B          block B of every file never sent, repeats neither (a position\n"
           "                  only: B counts the file's blocks from 1, not frames)\n"
           " and received commands for:\n"
           "  silence[:MS]    stall MS (default 2500ms) ignoring input, then answer\n"
           "  bad             answer $cmd,Bad,Command*ff instead (command not executed)\n"
           "  svpok           answer svp_ok instead (command not executed)\n"
           "  failed          answer $cmd,Config,failed*ff instead (command not executed)\n"
           "  stray           send an unsolicited line before the answer\n"
           " Examples: --fault checksum@3  --fault payload:0.05  --fault silence@5:2500ms\n"
           "           --fault hangup@20  --fault gap@4:50\n";
}

FaultPlan::FaultPlan(std::vector<FaultRule> rules, uint64_t seed)
    : rules_(std::move(rules)), noise_(seed) {}

bool FaultPlan::strikes(const FaultRule& rule, uint64_t event) {
    if (rule.position != 0) {
        return rule.position == event;
    }
    return noise_.uniform() < rule.rate;
}

CommandFaults FaultPlan::forCommand(uint64_t commandNumber) {
    CommandFaults faults;
    for (const FaultRule& rule : rules_) {
        if (!strikesCommands(rule.kind) || !strikes(rule, commandNumber)) {
            continue;
        }
        switch (rule.kind) {
            case FaultKind::Silence:
                faults.silenceMs = rule.argument;
                break;
            case FaultKind::Stray:
                faults.stray = true;
                break;
            case FaultKind::Bad:
                faults.replacement = "$cmd,Bad,Command*ff\r\n";
                break;
            case FaultKind::SvpOk:
                faults.replacement = "svp_ok\r\n";
                break;
            case FaultKind::Failed:
                faults.replacement = "$cmd,Config,failed*ff\r\n";
                break;
            default:
                break;
        }
    }
    return faults;
}

FrameFaults FaultPlan::forFrame(uint64_t frameNumber, size_t payloadSize, uint64_t block) {
    FrameFaults faults;
    for (const FaultRule& rule : rules_) {
        if (rule.kind == FaultKind::Mute) {
            faults.drop = faults.drop || rule.position == block;
            continue;
        }
        if (strikesCommands(rule.kind) || !strikes(rule, frameNumber)) {
            continue;
        }
        switch (rule.kind) {
            case FaultKind::Checksum:
                faults.badChecksum = true;
                break;
            case FaultKind::Payload:
                if (payloadSize > 0) {
                    faults.noisyPayloadByte = static_cast<size_t>(noise_.below(payloadSize));
                }
                break;
            case FaultKind::Drop:
                faults.drop = true;
                break;
            case FaultKind::Gap:
                faults.gapRecords = rule.argument;
                break;
            case FaultKind::Hangup:
                faults.hangupReplugMs = rule.argument;
                break;
            default:
                break;
        }
    }
    return faults;
}

}  // namespace quorvane::sim
