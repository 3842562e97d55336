#pragma once

#include "device/link/testing/fake_clock.h"
#include "device/link/testing/fake_port.h"
#include "device/protocol/command_channel.h"
#include "device/protocol/testing/recording_notifier.h"

namespace quorvane {

// A channel over an open fake port, a fake clock (2014-03-05 10:00:00) and a recorder.
struct ChannelRig {
    ChannelRig() { port.open("COM1"); }

    // Events of the port after the open.
    std::vector<std::string> portEvents() const {
        return {port.events().begin() + 1, port.events().end()};
    }

    FakeClock clock;
    FakePort port{&clock};
    RecordingNotifier shown;
    CommandChannel channel{port, clock, shown, shown};
};

}  // namespace quorvane
