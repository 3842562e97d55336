#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/message.h"
#include "device/link/clock.h"
#include "device/link/serial_port.h"
#include "device/protocol/command_texts.h"
#include "device/protocol/device_notifier.h"

namespace quorvane {

// The silence clock of the text dialogue, in SecondsOfDay values. The handshake waits of a
// download share lastData with WaitReply.
struct ReplyTiming {
    int32_t lastData = 0;
    int32_t lastEmptyPoll = 0;
};

// The text dialogue with the device over the one open port: writing commands, awaiting and
// taking apart replies, and the link's one piece of state, the connected flag. The window owns
// one; the download worker uses the same one while the busy flag keeps the window off it.
class CommandChannel {
  public:
    // A command is copied into a 1024-byte buffer on its way out; longer texts are refused.
    static constexpr size_t kMaxCommandLength = 1023;
    // Clearing the whole storage keeps the device silent while it erases; the wait for its
    // answer has no silence rule, only this bound, far beyond any full erase.
    static constexpr int64_t kDeleteAllLimitMs = 10 * 60 * 1000;
    // A reply that grows past this without ending the wait (a device that never stops
    // sending) ends it like a silence.
    static constexpr size_t kMaxReplyLength = 8 << 20;

    CommandChannel(SerialPort& port, Clock& clock, DeviceNotifier& notifier, Prompter& prompter);

    // Writes the command, first discarding input left in the port. No side effect on failure.
    bool WriteCommand(std::string_view text);
    // The same write; when it fails the link is taken as lost: connected flag cleared, pane 1
    // and a warning box say so, the title goes back to "QuorvaneDevice" and the fields are
    // emptied.
    bool SendCommand(std::string_view text);
    // Waits for the reply to the command just sent. The reply text on success, "OK" for the
    // Config-OK reply, the empty text on a refusal, a short acknowledgement, a failure reply or
    // a silence; what arrived before a read failure when the port fails. Always purges.
    std::string WaitReply(std::string_view command, std::string_view expected, int length);
    std::string WaitReply(const ReplyRule& rule);
    // The connect-time probe: one read after 200 ms; "OK" when it is the awaited sysinfo
    // answer, otherwise what was read. Always purges.
    std::string ProbeReply(std::string_view command, std::string_view expected, int length);
    // SendCommand, then WaitReply with the rule; nothing when the command could not be written.
    std::optional<std::string> exchange(std::string_view text, const ReplyRule& rule);
    // For the get-commands, whose sent text is the rule's command.
    std::optional<std::string> exchange(const ReplyRule& rule) {
        return exchange(rule.command, rule);
    }

    bool connected() const { return connected_; }
    void setConnected(bool connected) { connected_ = connected; }

    int32_t SecondsOfDay() { return clock_.secondsOfDay(); }
    ReplyTiming& timing() { return timing_; }
    SerialPort& port() { return port_; }
    Clock& clock() { return clock_; }
    DeviceNotifier& notifier() { return notifier_; }
    Prompter& prompter() { return prompter_; }

  private:
    void handleDisconnect();
    std::string finishWait(std::string reply);

    SerialPort& port_;
    Clock& clock_;
    DeviceNotifier& notifier_;
    Prompter& prompter_;
    ReplyTiming timing_;
    std::atomic<bool> connected_ = false;
};

// The window title the device program shows while no device is identified.
extern const Text kDeviceProgramTitle;

}  // namespace quorvane
