#include "device/operations/connect_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/operations/testing/session_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

PortLister listOf(Strings names) {
    return [names](std::vector<std::string>& ports) {
        ports = names;
        return 1;
    };
}

TEST(OnConnect, ProbesEachPortAndKeepsTheFirstThatAnswers) {
    SessionRig rig;
    rig.port.refuseOpen("COM3");
    rig.device.answersOn = "COM2";
    EXPECT_EQ(OnConnect(rig.session, listOf({"COM1", "COM3", "COM2", "", "COM4"})),
              ConnectOutcome::Complete);
    EXPECT_TRUE(rig.session.connected());
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.name(), "COM2");
    const Strings events = rig.port.events();
    const Strings probing(events.begin(), events.begin() + 9);
    EXPECT_EQ(probing, (Strings{"open COM1", "write $cmd,get,sysinfo*ff", "purge", "close",
                                "open COM3 failed", "open COM2", "write $cmd,get,sysinfo*ff",
                                "purge", "write $cmd,get,sysinfo*ff"}));
    EXPECT_EQ(rig.device.commands,
              (Strings{"$cmd,get,sysinfo*ff", "$cmd,get,sysinfo*ff", "$cmd,get,voltage*ff",
                       "$cmd,get,depthscale*ff", "$cmd,get,areapara*ff", "$cmd,get,space*ff",
                       "$cmd,get,workstate*ff"}));
    EXPECT_EQ(rig.shown.events,
              (Strings{"pane0: ", "pane1: Device Connected!", "box64: Device Connected!", "rows: 0",
                       "title: Device ID: 12345678   Firmware Version: V1.2.0",
                       "pane0: Voltage: 12.6V", "fields", "fields", "memory: 6.676 GB | 700.000 MB",
                       "pane0: Device OK! StateCode:0"}));
    EXPECT_EQ(rig.session.values().deviceId, "12345678");
    EXPECT_EQ(rig.session.readout().voltage->shown, "12.6");
    EXPECT_EQ(rig.session.readout().workState->code, 0);
}

TEST(OnConnect, NoPortListAndNoAnswer) {
    SessionRig none;
    EXPECT_EQ(OnConnect(none.session, [](std::vector<std::string>&) { return -1; }),
              ConnectOutcome::NoPortList);
    EXPECT_EQ(none.shown.events, Strings{"pane1: No serial port!"});
    EXPECT_TRUE(none.port.events().empty());

    SessionRig silent;  // after an earlier device
    silent.connectDirectly();
    silent.device.answersOn = "nowhere";
    EXPECT_EQ(OnConnect(silent.session, listOf({"COM1"})), ConnectOutcome::NotFound);
    EXPECT_FALSE(silent.session.connected());
    EXPECT_FALSE(silent.port.isOpen());
    EXPECT_EQ(silent.shown.events, (Strings{"pane0: ", "pane1: Device Connect Failed!",
                                            "box48: Device Connection Failed!"}));
    // An earlier device's ID never names this connection's download folder.
    EXPECT_EQ(silent.session.values().deviceId, "");
}

TEST(OnConnect, FiveAttemptsAtAnInvalidIdentityThenTheFailureTitle) {
    const std::pair<const char*, const char*> identities[] = {{"1234567", "V1.2.0"},
                                                              {"12345678", "1.2"}};
    for (const auto& [id, firmware] : identities) {
        SessionRig rig;
        rig.device.deviceId = id;
        rig.device.firmware = firmware;
        EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::IdentityFailed);
        EXPECT_TRUE(rig.session.connected()) << "the flag stays set";
        EXPECT_EQ(rig.device.commands, Strings(6, "$cmd,get,sysinfo*ff")) << id << firmware;
        EXPECT_EQ(rig.shown.events.back(), "pane0: ");
        EXPECT_EQ(rig.shown.events[rig.shown.events.size() - 2],
                  "title: Failed to get Device ID and Firmware Version!");
    }
}

TEST(OnConnect, AValidAnswerOnALaterAttemptIsEnough) {
    SessionRig rig;
    rig.device.answerOnce("$cmd,get,sysinfo*ff", "$cmd,get,sysinfo,12345678,V1.2.0*ff\r\n");
    rig.device.answerOnce("$cmd,get,sysinfo*ff", "svp_ok\r\n");
    rig.device.answerOnce("$cmd,get,sysinfo*ff", "$cmd,get,sysinfo,1,V1*ff\r\n");
    EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::Complete);
    EXPECT_EQ(
        std::count(rig.device.commands.begin(), rig.device.commands.end(), "$cmd,get,sysinfo*ff"),
        4);
}

TEST(OnConnect, EachReadoutStepStopsTheSequenceWhenTheDeviceIsSilent) {
    struct Case {
        const char* command;
        const char* failure;
    };
    const Case cases[] = {
        {"$cmd,get,voltage*ff", "pane0: Failed to get voltage"},
        {"$cmd,get,depthscale*ff", "pane1: Failed to get interval"},
        {"$cmd,get,areapara*ff", "pane1: Failed to get latitude"},
        {"$cmd,get,space*ff", "pane1: Failed to get device memory"},
        {"$cmd,get,workstate*ff", "pane1: Failed to get device status"},
    };
    for (const Case& c : cases) {
        SessionRig rig;
        rig.device.answer(c.command, "$cmd,Bad,Command*ff\r\n");
        EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::ReadoutIncomplete);
        EXPECT_EQ(rig.device.commands.back(), c.command) << "nothing is sent after it";
        EXPECT_EQ(rig.shown.events.back(), c.failure);
        EXPECT_TRUE(rig.session.connected());
    }
}

TEST(OnConnect, AFailingReaderDoesNotStopTheSequence) {
    SessionRig rig;
    rig.device.voltage = "126";  // no "."
    EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::Complete);
    EXPECT_NE(std::find(rig.shown.events.begin(), rig.shown.events.end(),
                        "box49: Failed to get the voltage!"),
              rig.shown.events.end());
    EXPECT_EQ(rig.device.commands.back(), "$cmd,get,workstate*ff");
    EXPECT_FALSE(rig.session.readout().voltage);
}

TEST(OnConnect, AWriteFailureMidwayRunsTheDisconnectHandlingAndStops) {
    SessionRig rig;
    rig.port.onWrite = [&, inner = rig.port.onWrite](const std::string& written) {
        inner(written);
        if (written == "$cmd,get,depthscale*ff") {
            rig.port.failNextWrites();
        }
    };
    EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::LinkLost);
    EXPECT_FALSE(rig.session.connected());
    EXPECT_EQ(rig.device.commands.back(), "$cmd,get,depthscale*ff");
    EXPECT_EQ(rig.shown.events.back(), "reset");
}

TEST(OnConnect, WhileBusyTheOpenPortIsLeftAlone) {
    SessionRig rig;
    rig.connectDirectly();
    rig.session.busy() = true;
    EXPECT_EQ(OnConnect(rig.session, listOf({"COM1"})), ConnectOutcome::Busy);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.shown.events,
              Strings{"box49: The data processing is running, please try again later!"});
}

}  // namespace
}  // namespace quorvane
