#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/cast_store.h"
#include "simulator/device_answer.h"
#include "simulator/device_clock.h"
#include "simulator/file_transfer.h"

namespace quorvane::sim {

// Who the instrument is and how it is set up when it is switched on.
struct DeviceConfig {
    std::string deviceId = "12345678";  // sent as given, so malformed IDs can be tried too
    std::string firmware = "V1.2.0";
    double voltage = 12.6;          // battery, volts
    uint64_t capacityKb = 7716864;  // an "8 GB" card
    float density = 1.025f;         // g/cm3
    float latitude = 30.0f;         // degrees
    float depthInterval = 0.5f;     // metres
    int deleteMs = 150;             // erasing one file
    int clearMs = 3000;             // erasing the whole card
    std::string announcedSize;      // given as every file's size in file info; empty: the real one
};

// The instrument behind the serial line: answers one command text (without its "*ff") at a
// time. Settings and clock live as long as the object; the casts live in the store.
class DeviceModel {
  public:
    DeviceModel(DeviceConfig config, CastStore store);

    DeviceAnswer handle(const std::string& command);

    const CastStore& store() const { return store_; }

  private:
    DeviceAnswer get(const std::string& name);
    DeviceAnswer set(const std::vector<std::string>& words);
    DeviceAnswer remove(const std::string& which);
    DeviceAnswer send(const std::vector<std::string>& words);
    std::string fileIndex();
    uint64_t freeKb() const;
    int workState() const;

    DeviceConfig config_;
    CastStore store_;
    DeviceClock clock_;
    FileTransfer transfer_;
    bool storageError_ = false;  // sticky until the card is erased, as a card fault would be
};

}  // namespace quorvane::sim
