#pragma once

#include <string>

#include "common/message.h"
#include "postprocess/profilefiles/point_file.h"

namespace quorvane {

// Which point file a problem is about: their texts differ.
enum class PointFileKind { Profile, Average };

// The box the window shows and the command line prints for a failed save or load of `path`.
Message pointFileMessage(PointFileKind kind, PointFileProblem problem, const std::string& path);

}  // namespace quorvane
