#include "cli/send_command.h"

#include <cstdio>

#include "cli/cast_recorder.h"
#include "cli/cast_stamp_options.h"
#include "cli/console_prompter.h"
#include "cli/fitted_profile.h"
#include "common/arguments.h"
#include "send/send_messages.h"

namespace quorvane::cli {

namespace {

std::string targetKindNames() {
    std::string names;
    for (const TargetKindFacts& facts : allTargetKinds()) {
        if (!names.empty())
            names += '|';
        names += facts.name;
    }
    return names;
}

struct SendSettings {
    bool english = true;
    std::vector<AcquisitionTarget> targets;
    CastStampOptions stamp;
    int waitMs = kReceiptWaitMs;
    bool library = true;
};

std::optional<SendSettings> parseSettings(const Arguments& args, std::string& error) {
    SendSettings s;
    const std::string lang = args.value("lang").value_or("en");
    if (lang != "en" && lang != "zh") {
        error = "--lang must be en or zh";
    }
    s.english = lang == "en";
    std::optional<uint16_t> listen;
    if (const auto port = args.number("listen", error)) {
        if (*port < 1 || *port > 65535 || *port != double(int(*port))) {
            error = "--listen must be a port from 1 to 65535";
        }
        listen = uint16_t(*port);
    }
    if (const auto seconds = args.number("wait", error)) {
        if (*seconds < 0 || *seconds > 600) {
            error = "--wait must be seconds from 0 to 600";
        }
        s.waitMs = int(*seconds * 1000);
    }
    for (const std::string& text : args.values("to")) {
        std::optional<AcquisitionTarget> target = parseTarget(text);
        if (!target) {
            error = "--to must be KIND@HOST[:PORT][/s01|s12|calc] with KIND " + targetKindNames() +
                    " (a port where the kind has no usual one), not '" + text + "'";
            continue;
        }
        target->listenPort = listen.value_or(kDefaultListenPort);
        s.targets.push_back(*target);
    }
    if (s.targets.empty() && error.empty()) {
        error = "no --to target given";
    }
    s.stamp = readCastStampOptions(args, error);
    s.library = !args.flag("no-library");
    if (!error.empty())
        return std::nullopt;
    return s;
}

}  // namespace

std::string sendUsage() {
    return "usage: quorvane-cli send CAST.bin|PROFILE.prf --to KIND@HOST[:PORT][/s01|s12|calc]...\n"
           "           [--listen PORT] [--wait S] [--time \"YYYY-MM-DD HH:MM:SS\"]\n"
           "           [--utc-offset H] [--position LAT,LON] [--lang en|zh] [--no-library]\n"
           "  Sends the cast's fitted profile to each acquisition system, KIND " +
           targetKindNames() +
           ":\n"
           "  sis4 (port 4001) and sis5 (port 14002) take S01 and confirm by sending the profile\n"
           "  they use back to --listen PORT (default 16103), waited for --wait S seconds\n"
           "  (default 20); qinsy and pds2000 take S12, ea440 S01, hypack CALC, each on the port\n"
           "  given. The time is the cast's (as for process: --time, a downloaded cast's name or\n"
           "  the file's modification time, made UTC with --utc-offset, else this PC's offset).\n"
           "  Prints one line per target; the exit status is 0 only when every target that can\n"
           "  confirm confirmed and the others were sent. A raw cast's sends are recorded in\n"
           "  the cast library of the current folder, as process records it (--no-library:\n"
           "  not).\n";
}

int runSend(const std::vector<std::string>& words) {
    const Arguments args(words, {"to", "listen", "wait", "time", "utc-offset", "position", "lang"},
                         {"no-library"});
    std::string error = args.error();
    std::optional<SendSettings> settings;
    if (error.empty())
        settings = parseSettings(args, error);
    if (error.empty() && args.positional().size() != 1)
        error = "give one cast or profile file";
    if (!error.empty()) {
        std::fprintf(stderr, "quorvane-cli send: %s\n%s", error.c_str(), sendUsage().c_str());
        return 2;
    }
    ConsolePrompter console(settings->english, false);
    const std::string& path = args.positional().front();
    ReducedCast reduced;
    const std::optional<std::vector<ProfilePoint>> fitted = fittedProfile(path, console, &reduced);
    const std::optional<CastTime> local =
        settings->stamp.time ? settings->stamp.time : localCastTime(path);
    if (!fitted || !local) {
        if (!local)
            std::fprintf(stderr, "quorvane-cli send: %s: no cast time (--time)\n", path.c_str());
        return 1;
    }
    const double offset = settings->stamp.utcOffsetAt(*local);
    if (!settings->stamp.utcOffset)
        console.say(pcOffsetNote(path, offset));
    SendRequest request{settings->targets, *fitted, toUtc(*local, offset), settings->stamp.position,
                        settings->waitMs};
    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    bool allDone = true;
    std::vector<CastOutput> sends;
    sendProfile(
        request, *network, [] { return false; },
        [&](const SendReport& report) {
            std::printf("%s\n", sendReportText(report).pick(settings->english).c_str());
            std::fflush(stdout);
            allDone = allDone && sendSucceeded(report);
            sends.push_back({sentKind(report), targetText(report.target)});
        });
    // A profile file has no raw cast to key a record by.
    if (settings->library && !isProfileFile(path)) {
        if (const auto recorder = workingFolderRecorder(console)) {
            ProcessedCast cast =
                processedCast(path, reduced.header.deviceId(), reduced.data, false, {});
            cast.localTime = local;
            cast.utcTime = request.utc;
            cast.position = settings->stamp.position;
            cast.positionSource = cast.position ? "typed" : "";
            recorder->record(cast, sends, false);
        }
    }
    return allDone ? 0 : 1;
}

}  // namespace quorvane::cli
