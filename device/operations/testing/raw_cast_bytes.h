#pragma once

#include <cstddef>
#include <string>

namespace quorvane {

// A raw cast of exactly `size` bytes as the instrument writes it: the 72-byte header, then
// 36-byte records numbered from 1; from record `jumpAt` on (when above 0) the numbers leap
// ahead by `jump`, as after records lost on the card.
std::string rawCastBytes(size_t size, int jumpAt = 0, int jump = 0);

}  // namespace quorvane
