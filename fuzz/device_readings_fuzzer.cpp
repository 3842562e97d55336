// A get-reply or clock reply as the line may bring it: cut apart by every reader, then shown
// through the readers the window uses, over a scripted channel.
#include <cmath>
#include <string_view>

#include "device/operations/reply_readers.h"
#include "device/protocol/device_readings.h"
#include "device/protocol/testing/channel_rig.h"
#include "fuzz/fuzz_support.h"

using namespace quorvane;

namespace {

void requireFinite(double value) {
    fuzz::require(std::isfinite(value), "a reply never reads as infinity or NaN");
}

void parseEveryWay(std::string_view reply) {
    if (const auto info = parseDeviceInfo(reply)) {
        isValidDeviceId(info->id);
        isValidFirmwareVersion(info->firmwareVersion);
    }
    if (const auto voltage = parseVoltage(reply)) {
        fuzz::require(reply.find(voltage->shown) != std::string_view::npos,
                      "the voltage shown is text the device sent");
    }
    if (const auto interval = parseDepthInterval(reply)) {
        requireFinite(*interval);
    }
    if (const auto area = parseAreaParameters(reply)) {
        requireFinite(area->density);
        requireFinite(area->latitude);
    }
    if (const auto memory = parseMemory(reply)) {
        requireFinite(memory->free);
        requireFinite(memory->total);
    }
    if (const auto state = parseWorkState(reply)) {
        fuzz::require(state->code >= 0 && state->code <= 0xFF, "the work state is one byte");
    }
    if (const auto clock = parseClockReply(reply)) {
        for (const int field :
             {clock->year, clock->month, clock->day, clock->hour, clock->minute, clock->second}) {
            fuzz::require(field >= 0 && field <= 0xFFFF, "a clock field is 16 bits");
        }
    }
}

void showEveryWay(std::string_view reply) {
    ChannelRig rig;
    DeviceValues values;
    ReadDeviceInfo(rig.channel, values, reply);
    ReadVoltage(rig.channel, reply);
    ReadDepthInterval(rig.channel, values, reply);
    ReadAreaParameters(rig.channel, values, reply);
    ReadMemory(rig.channel, values, reply);
    ReadWorkState(rig.channel, reply);
    for (const std::string& event : rig.shown.events) {
        fuzz::require(fuzz::isUtf8(event), "what is shown is UTF-8");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    parseEveryWay(reply);
    showEveryWay(reply);
    return 0;
}
