#include "soak/soak_plan.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "simulator/cast_generator.h"

namespace quorvane::soak {
namespace {

using Random = std::mt19937_64;

double uniform(Random& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

uint64_t between(Random& random, uint64_t low, uint64_t high) {
    return std::uniform_int_distribution<uint64_t>(low, high)(random);
}

std::string rate(const char* kind, double value, const char* argument = nullptr) {
    char text[64];
    std::snprintf(text, sizeof text, "%s:%.4f%s%s", kind, value, argument ? ":" : "",
                  argument ? argument : "");
    return text;
}

// A real cast, and often one cut short as a card holds it after a power loss: the cut makes
// last blocks of every length, and files shorter than one block or than the header.
std::string makeCast(Random& random) {
    sim::CastOptions options;
    options.maxDepth = uniform(random, 2.0, 30.0);
    options.seed = random();
    const std::vector<uint8_t> cast = sim::generateCast(options);
    std::string bytes(cast.begin(), cast.end());
    const uint64_t cut = between(random, 0, 9);
    if (cut == 0) {
        bytes.resize(between(random, 1, 600));
    } else if (cut <= 3) {
        bytes.resize(between(random, 1, bytes.size()));
    } else if (cut == 4) {
        bytes.resize(512 * std::max<size_t>(1, bytes.size() / 1024));
    }
    return bytes;
}

// Faults the rules undo: a spoiled, lost or late frame is asked for again, a wrong answer to
// a handshake step is another attempt, a stall shorter than a block's silence limit is waited
// out. Rates stay low enough that five attempts in a row do not all fail.
std::string recoverableFault(Random& random, const SoakPlan& plan) {
    switch (between(random, 0, 8)) {
        case 0:
            return rate("checksum", uniform(random, 0.01, 0.15));
        case 1:
            return rate("payload", uniform(random, 0.01, 0.15));
        case 2:
            return rate("drop", uniform(random, 0.005, 0.03));
        case 3:
            return rate("stray", uniform(random, 0.005, 0.03));
        case 4:
            return rate("bad", uniform(random, 0.005, 0.03));
        case 5:
            return rate("svpok", uniform(random, 0.005, 0.03));
        case 6:
            return rate("failed", uniform(random, 0.005, 0.03));
        case 7: {
            // A jump of the record numbers beyond what a block may skip: the block is asked
            // for again. The first block of a file sets the numbering and a last block is
            // written without the record check, so neither may be struck (see planRun).
            const uint64_t blocks = blocksOf(plan.casts.front().bytes.size());
            if (blocks >= 3) {
                return "gap@" + std::to_string(between(random, 2, blocks - 1)) + ":100";
            }
            return rate("checksum", uniform(random, 0.01, 0.15));
        }
        default:
            return rate("silence", uniform(random, 0.005, 0.02), "100ms");
    }
}

// Faults past what the rules can undo: the line dies, a block never comes, the device stalls
// longer than the block give-up and the handshake silence limit.
std::string unrecoverableFault(Random& random, const SoakPlan& plan) {
    uint64_t blocks = 0;
    for (const SoakCast& cast : plan.casts) {
        blocks += blocksOf(cast.bytes.size());
    }
    switch (between(random, 0, 2)) {
        case 0:
            return "hangup@" + std::to_string(between(random, 1, blocks)) +
                   (between(random, 0, 1) ? ":never" : ":300ms");
        case 1:
            return "mute@" +
                   std::to_string(between(random, 1, blocksOf(plan.casts[0].bytes.size())));
        default:
            return rate("silence", uniform(random, 0.002, 0.006), "2500ms");
    }
}

}  // namespace

uint64_t blocksOf(uint64_t size) {
    return (size + 511) / 512;
}

SoakPlan planRun(uint64_t seed) {
    Random random(seed);
    SoakPlan plan;
    plan.seed = seed;
    const uint64_t casts = between(random, 1, 3);
    for (uint64_t i = 0; i < casts; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "CAST%04u.BIN", unsigned(i + 1));
        plan.casts.push_back({name, makeCast(random)});
    }
    const uint64_t kinds = between(random, 0, 3);
    for (uint64_t i = 0; i < kinds; ++i) {
        plan.faults.push_back(recoverableFault(random, plan));
    }
    // Frame N is block N of the first file only while no frame is sent twice: beside other
    // faults a gap may strike a first block sent again, which the rules cannot tell from a
    // renumbered file (they stop it and report it damaged).
    const bool gap = std::any_of(plan.faults.begin(), plan.faults.end(),
                                 [](const std::string& fault) { return fault.starts_with("gap"); });
    plan.recoverable = !gap || plan.faults.size() == 1;
    if (between(random, 0, 9) < 3) {
        plan.faults.push_back(unrecoverableFault(random, plan));
        plan.recoverable = false;
    }
    return plan;
}

}  // namespace quorvane::soak
