#pragma once

#include <cstdint>

#include "simulator/cast_store.h"
#include "simulator/device_model.h"

namespace quorvane::sim {

// Fills an empty card with `casts` synthetic casts recorded by this instrument with its
// current settings: CAST0001.BIN, CAST0002.BIN, ..., of varied depths, one a day over the
// days before today, each in the working hours of its day. The same seed gives the same
// bytes (the dates follow today).
bool seedStorage(const CastStore& store, int casts, const DeviceConfig& device, uint64_t seed);

}  // namespace quorvane::sim
