#include "simulator/device_model.h"

#include "common/parse_number.h"
#include "common/strformat.h"
#include "simulator/fat_time.h"
#include "simulator/subcommand.h"

namespace quorvane::sim {
namespace {

constexpr uint64_t kClusterBytes = 32768;  // FAT32 allocation unit of the card
constexpr uint64_t kLowFreeKb = 1048576;   // below 1 GB the instrument flags its memory
constexpr double kLowVoltage = 11.0;
constexpr int kStateLowVoltage = 1;
constexpr int kStateFileError = 8;
constexpr int kStateLowMemory = 16;

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        words.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) {
            return words;
        }
        start = comma + 1;
    }
}

std::string reply(const std::string& name, const std::string& fields) {
    return "$cmd,get," + name + "," + fields + "*ff\r\n";
}

}  // namespace

DeviceModel::DeviceModel(DeviceConfig config, CastStore store)
    : config_(std::move(config)), store_(std::move(store)) {}

DeviceAnswer DeviceModel::handle(const std::string& command) {
    const std::vector<std::string> words = splitWords(command);
    if (words.size() >= 3 && words[0] == "$cmd") {
        if (words[1] == "get" && words.size() == 3) {
            return get(words[2]);
        }
        if (words[1] == "set") {
            return set(words);
        }
        if (words[1] == "delete" && words.size() == 3) {
            return remove(words[2]);
        }
        if (words[1] == "send" && words.size() == 4) {
            return send(words);
        }
    }
    return DeviceAnswer::text(kBadCommand);
}

DeviceAnswer DeviceModel::get(const std::string& name) {
    if (name == "sysinfo") {
        return DeviceAnswer::text(reply(name, config_.deviceId + "," + config_.firmware));
    }
    if (name == "voltage") {
        return DeviceAnswer::text(reply(name, strformat("%.1f", config_.voltage)));
    }
    if (name == "depthscale") {
        return DeviceAnswer::text(reply(name, strformat("%.6f", config_.depthInterval)));
    }
    if (name == "areapara") {
        return DeviceAnswer::text(
            reply(name, strformat("%.6f,%.6f", config_.density, config_.latitude)));
    }
    if (name == "space") {
        return DeviceAnswer::text(
            reply(name, strformat("%llu,%llu", static_cast<unsigned long long>(freeKb()),
                                  static_cast<unsigned long long>(config_.capacityKb))));
    }
    if (name == "workstate") {
        return DeviceAnswer::text(reply(name, strformat("%d", workState())));
    }
    if (name == "utctime") {
        return DeviceAnswer::text(reply(name, clock_.fields()));
    }
    if (name == "fileindex") {
        return DeviceAnswer::text(fileIndex());
    }
    return DeviceAnswer::text(kBadCommand);
}

// Values outside what the instrument can work with are refused with "Config,failed": a
// density of 0-2 g/cm3, a latitude of -90 to 90 degrees, a depth interval of 0.1-100 m.
DeviceAnswer DeviceModel::set(const std::vector<std::string>& words) {
    const std::string& name = words[2];
    const size_t count = words.size() - 3;
    if (name == "utctime" && count == 6) {
        int fields[6];
        for (size_t i = 0; i < 6; ++i) {
            const auto field = parseInteger(words[3 + i]);
            if (!field || *field < -100000 || *field > 100000) {
                return DeviceAnswer::text(kConfigFailed);
            }
            fields[i] = static_cast<int>(*field);
        }
        const bool ok =
            clock_.set(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
        return DeviceAnswer::text(ok ? kConfigOk : kConfigFailed);
    }
    if (name == "areapara" && count == 2) {
        const auto density = parseNumber(words[3]);
        const auto latitude = parseNumber(words[4]);
        if (!density || !latitude || !(*density >= 0.0 && *density <= 2.0) ||
            !(*latitude >= -90.0 && *latitude <= 90.0)) {
            return DeviceAnswer::text(kConfigFailed);
        }
        config_.density = static_cast<float>(*density);
        config_.latitude = static_cast<float>(*latitude);
        return DeviceAnswer::text(kConfigOk);
    }
    if (name == "depthscale" && count == 1) {
        // The host sends "%f", so its smallest accepted value arrives as exactly "0.100000".
        const auto interval = parseNumber(words[3]);
        if (!interval || !(*interval >= 0.1 && *interval <= 100.0)) {
            return DeviceAnswer::text(kConfigFailed);
        }
        config_.depthInterval = static_cast<float>(*interval);
        return DeviceAnswer::text(kConfigOk);
    }
    return DeviceAnswer::text(kBadCommand);
}

DeviceAnswer DeviceModel::remove(const std::string& which) {
    const std::vector<StoredCast> casts = store_.list();
    DeviceAnswer answer = DeviceAnswer::text(kConfigOk);
    if (which == "all") {
        answer.busyMs = config_.clearMs;
        bool ok = store_.readable();
        for (const StoredCast& cast : casts) {
            ok = store_.remove(cast.name) && ok;
        }
        storageError_ = !ok;
        answer.bytes = ok ? kConfigOk : kConfigFailed;
        return answer;
    }
    const auto index = parseInteger(which);
    if (!index) {
        return DeviceAnswer::text(kBadCommand);
    }
    answer.busyMs = config_.deleteMs;
    if (*index < 0 || static_cast<uint64_t>(*index) >= casts.size()) {
        answer.bytes = kConfigFailed;
    } else if (!store_.remove(casts[static_cast<size_t>(*index)].name)) {
        storageError_ = true;
        answer.bytes = kConfigFailed;
    }
    return answer;
}

DeviceAnswer DeviceModel::send(const std::vector<std::string>& words) {
    const auto index = parseInteger(words[3]);
    if (words[2] == "fileindex" && index) {
        DeviceAnswer answer = transfer_.select(*index, store_, config_.announcedSize);
        storageError_ = storageError_ || transfer_.readFailed();
        return answer;
    }
    if (words[2] == "file" && words[3].size() == 1) {
        if (std::optional<DeviceAnswer> answer = transfer_.step(words[3][0])) {
            return *answer;
        }
    }
    return DeviceAnswer::text(kBadCommand);
}

// One line per file: number, name, size, FAT date word, FAT time word.
std::string DeviceModel::fileIndex() {
    const std::vector<StoredCast> casts = store_.list();
    if (casts.empty()) {
        storageError_ = storageError_ || !store_.readable();
        return "$cmd,card,nofile*ff\r\n";
    }
    std::string text = "$cmd,fileindex,start*ff\r\n";
    for (size_t i = 0; i < casts.size(); ++i) {
        const FatStamp stamp = toFatStamp(casts[i].modified);
        text += strformat("$cmd,file,%zu,%s,%llu,%u,%u*ff\r\n", i, casts[i].name.c_str(),
                          static_cast<unsigned long long>(casts[i].size), stamp.date, stamp.time);
    }
    return text + "$cmd,fileindex,end*ff\r\n";
}

// Every file takes whole clusters of the card.
uint64_t DeviceModel::freeKb() const {
    uint64_t clusters = 0;
    for (const StoredCast& cast : store_.list()) {
        clusters += (cast.size + kClusterBytes - 1) / kClusterBytes;
    }
    const uint64_t usedKb = clusters * (kClusterBytes / 1024);
    return config_.capacityKb - std::min(usedKb, config_.capacityKb);
}

int DeviceModel::workState() const {
    int state = 0;
    if (config_.voltage < kLowVoltage) {
        state |= kStateLowVoltage;
    }
    if (storageError_) {
        state |= kStateFileError;
    }
    if (freeKb() < kLowFreeKb) {
        state |= kStateLowMemory;
    }
    return state;
}

}  // namespace quorvane::sim
