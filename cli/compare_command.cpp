#include "cli/compare_command.h"

#include <cmath>
#include <cstdio>

#include "cli/console_prompter.h"
#include "cli/fitted_profile.h"
#include "cli/text_table.h"
#include "common/arguments.h"
#include "common/strformat.h"
#include "postprocess/compare/compare_messages.h"

namespace quorvane::cli {

namespace {

// Exit statuses: a verdict is 0 or 1, so that a script never takes a new cast because a file
// name was mistyped.
constexpr int kWithin = 0, kNewCastAdvised = 1, kNoVerdict = 2;

int refuse(const char* command, const std::string& problem, const std::string& usage) {
    std::fprintf(stderr, "quorvane-cli %s: %s\n%s", command, problem.c_str(), usage.c_str());
    return kNoVerdict;
}

std::optional<bool> englishOf(const Arguments& args, std::string& error) {
    const std::string lang = args.value("lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        error = "--lang must be en or zh";
        return std::nullopt;
    }
    return lang == "en";
}

// Signed to the millimetre: the sign says whether the reference puts the sounding deeper or
// further out. What rounds to nothing has no sign, so that "-0.000" never suggests a direction.
std::string signedMetres(double value) {
    if (std::abs(value) < 0.0005)
        return "0.000";
    return (value > 0.0 ? "+" : "") + fixedDecimals(value, 3);
}

void printComparison(const ProfileComparison& c, bool en) {
    const std::string order = surveyOrderName(c.order).pick(en);
    const std::string draft = fixedDecimals(c.draft, 2), depth = fixedDecimals(c.depth, 2);
    if (en) {
        std::printf("%s, draft %s m, rays traced to %s m\n", order.c_str(), draft.c_str(),
                    depth.c_str());
    } else {
        std::printf("%s，吃水%s米，声线追踪至%s米\n", order.c_str(), draft.c_str(), depth.c_str());
    }
    std::vector<std::vector<std::string>> rows = {{en ? "angle" : "波束角",
                                                   en ? "depth difference (m)" : "深度差（米）",
                                                   en ? "across difference (m)" : "横向差（米）"}};
    for (const AngleDifference& a : c.angles) {
        if (int(a.angle) % 10 != 0)
            continue;
        if (a.turned) {
            rows.push_back({strformat("%d°", int(a.angle)), en ? "turned back" : "折返", ""});
        } else {
            rows.push_back({strformat("%d°", int(a.angle)), signedMetres(a.depthDifference),
                            signedMetres(a.acrossDifference)});
        }
    }
    std::fputs(tableText(rows, {true, true, true}).c_str(), stdout);
    const std::string largest = signedMetres(c.largestDepthDifference);
    const std::string share = fixedDecimals(c.largestPercentOfDepth, 2);
    if (en) {
        std::printf("Largest depth difference: %s m at %d° (%s %% of the depth)\n", largest.c_str(),
                    int(c.largestAtAngle), share.c_str());
    } else {
        std::printf("最大深度差：%s米，%d°（水深的%s%%）\n", largest.c_str(), int(c.largestAtAngle),
                    share.c_str());
    }
}

}  // namespace

std::string compareUsage() {
    return "usage: quorvane-cli compare NEW REFERENCE [--draft M] [--depth M]\n"
           "           [--order exclusive|special|1a|1b|2] [--lang en|zh]\n"
           "  NEW and REFERENCE are raw casts or .prf profiles: NEW the cast just taken,\n"
           "  REFERENCE the profile the sounder holds. Rays leave the transducer at --draft M\n"
           "  (default 0) at every angle to 70° and are traced through NEW to --depth M (default:\n"
           "  the shallower of the two profiles' ends); prints, every 10°, how much deeper and\n"
           "  further out REFERENCE puts the same sounding, the largest difference and the\n"
           "  verdict against the order's TVU (default 1a). Exit status: 0 within it, 1 a new\n"
           "  cast is advised, 2 no verdict (bad arguments, a file without a profile).\n";
}

int runCompare(const std::vector<std::string>& words) {
    const Arguments args(words, {"draft", "depth", "order", "lang"}, {});
    std::string error = args.error();
    const std::optional<bool> english = englishOf(args, error);
    ComparisonSettings settings;
    settings.draft = args.number("draft", error).value_or(0.0);
    settings.depth = args.number("depth", error);
    if (settings.draft < 0.0)
        error = "--draft must be metres below the surface, 0 or more";
    if (const auto order = args.value("order")) {
        if (const auto parsed = parseSurveyOrder(*order))
            settings.order = *parsed;
        else
            error = "--order must be exclusive, special, 1a, 1b or 2, not '" + *order + "'";
    }
    if (error.empty() && args.positional().size() != 2)
        error = "give the new cast and the reference, two files";
    if (!error.empty())
        return refuse("compare", error, compareUsage());

    ConsolePrompter console(*english, false);
    const auto newProfile = fittedProfile(args.positional()[0], console);
    const auto reference = fittedProfile(args.positional()[1], console);
    if (!newProfile || !reference)
        return kNoVerdict;
    const ProfileComparison comparison = compareProfiles(*newProfile, *reference, settings);
    if (comparison.problem == ComparisonProblem::None)
        printComparison(comparison, *english);
    const std::string verdict = comparisonVerdict(comparison).pick(*english);
    std::printf("%s\n", verdict.c_str());
    if (comparison.problem != ComparisonProblem::None)
        return kNoVerdict;
    return comparison.newCastAdvised ? kNewCastAdvised : kWithin;
}

std::string probeCheckUsage() {
    return "usage: quorvane-cli probe-check CAST --speed V --draft M [--limit V] [--lang en|zh]\n"
           "  The hull-mounted surface probe's speed V (m/s) against the cast (a raw cast or a\n"
           "  .prf) at the transducer draft M; they pass within --limit V m/s (default 2).\n"
           "  Exit status: 0 pass, 1 fail, 2 no check (bad arguments, a draft outside the cast).\n";
}

int runProbeCheck(const std::vector<std::string>& words) {
    const Arguments args(words, {"speed", "draft", "limit", "lang"}, {});
    std::string error = args.error();
    const std::optional<bool> english = englishOf(args, error);
    const std::optional<double> speed = args.number("speed", error);
    const std::optional<double> draft = args.number("draft", error);
    const double limit = args.number("limit", error).value_or(kProbeSpeedLimit);
    if (error.empty() && (!speed || !draft))
        error = "give the probe's --speed and the transducer's --draft";
    if (error.empty() && !(limit > 0.0))
        error = "--limit must be a speed above 0";
    if (error.empty() && args.positional().size() != 1)
        error = "give one cast or profile file";
    if (!error.empty())
        return refuse("probe-check", error, probeCheckUsage());

    ConsolePrompter console(*english, false);
    const auto cast = fittedProfile(args.positional()[0], console);
    if (!cast)
        return kNoVerdict;
    const ProbeCheck check = checkSurfaceProbe(*cast, *speed, *draft, limit);
    std::printf("%s\n", probeCheckText(check).pick(*english).c_str());
    if (check.problem != ProbeCheckProblem::None)
        return kNoVerdict;
    return check.passed ? 0 : 1;
}

}  // namespace quorvane::cli
