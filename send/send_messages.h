#pragma once

#include "common/message.h"
#include "send/profile_sender.h"

namespace quorvane {

// One target's outcome in a line, as the command line prints it and the window lists it.
Text sendReportText(const SendReport& report);

}  // namespace quorvane
