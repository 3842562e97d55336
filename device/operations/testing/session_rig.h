#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "device/link/testing/fake_clock.h"
#include "device/link/testing/fake_port.h"
#include "device/operations/device_session.h"
#include "device/operations/testing/scripted_device.h"
#include "device/protocol/testing/recording_notifier.h"

namespace quorvane {

// Rows in test failure messages.
inline void PrintTo(const FileRow& row, std::ostream* out) {
    *out << "{" << row.number << " | " << row.name << " | " << row.size << " | " << row.date
         << (row.placeholder ? " | placeholder}" : "}");
}

// Records each list the session shows, and notes it among the notifier's events as "rows: N".
class RecordingListView : public FileListView {
  public:
    explicit RecordingListView(RecordingNotifier& events) : events_(events) {}
    void showFileRows(const std::vector<FileRow>& rows) override {
        shown.push_back(rows);
        events_.events.push_back("rows: " + std::to_string(rows.size()));
        events_.texts.push_back({});
    }
    std::vector<std::vector<FileRow>> shown;

  private:
    RecordingNotifier& events_;
};

// A session over a fake port and a fake clock (2014-03-05 10:00:00), with a scripted device
// behind the port and every shown text recorded.
struct SessionRig {
    // As after a successful connect to the scripted device: port open, flag set, ID stored.
    void connectDirectly() {
        port.open("COM1");
        session.channel().setConnected(true);
        session.values().deviceId = device.deviceId;
        session.values().firmwareVersion = device.firmware;
    }

    FakeClock clock;
    FakePort port{&clock};
    RecordingNotifier shown;
    RecordingListView view{shown};
    DeviceSession session{port, clock, shown, shown, view};
    ScriptedDevice device{port, clock};
};

}  // namespace quorvane
