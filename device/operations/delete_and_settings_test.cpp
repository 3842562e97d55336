#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/operations/delete_files.h"
#include "device/operations/device_file_list.h"
#include "device/operations/device_settings.h"
#include "device/operations/display_rules.h"
#include "device/operations/testing/session_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

struct ConnectedRig : SessionRig {
    ConnectedRig() {
        connectDirectly();
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            device.files.push_back({name, "x"});
        }
    }
    SelectedRows selection(std::vector<int> selected) {
        return SelectedRows(fileIndexRows(device.fileIndexReply())->rows, std::move(selected));
    }
};

TEST(OnDeleteFiles, HighestPositionFirstThenListAndMemory) {
    ConnectedRig rig;
    rig.device.answer("$cmd,delete,3*ff", "$cmd,Config,failed*ff\r\n");
    SelectedRows rows = rig.selection({1, 4, 3});
    const DeleteOutcome outcome = OnDeleteFiles(rig.session, rows);
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.deleted, 2);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(rig.device.commands,
              (Strings{"$cmd,delete,4*ff", "$cmd,delete,3*ff", "$cmd,delete,1*ff",
                       "$cmd,get,fileindex*ff", "$cmd,get,space*ff"}));
    EXPECT_EQ(
        rig.shown.events,
        (Strings{"box49: The files will be lost!\nAre you sure to delete the selected files?",
                 "pane1: Delete files... Please wait!", "pane1: Failed to delete the file!",
                 "pane1: Delete files... Please wait!", "rows: 0", "pane1: Getting files list...",
                 "pane1: Get the list success!", "rows: 3", "pane1: Files list Getted!",
                 "memory: 6.676 GB | 700.000 MB", "pane1: 1 of 3 files could not be deleted!",
                 "box48: 1 of 3 files could not be deleted!"}));
    EXPECT_EQ(rig.shown.texts.back().zh, "3个文件中有1个未能删除！");
}

TEST(OnDeleteFiles, NothingIsSentWithoutASelectionOrAConfirmation) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        bool placeholderFirst;
        Button answer;
        Strings events;
    };
    const Strings none{"pane1: No file is selected!", "box48: No file is selected!"};
    const Strings question{
        "box49: The files will be lost!\nAre you sure to delete the selected files?"};
    const Case cases[] = {
        {"no selection", {}, false, Button::Ok, none},
        {"only a placeholder", {0}, true, Button::Ok, none},
        {"cancelled", {1}, false, Button::Cancel, question},
    };
    for (const Case& c : cases) {
        ConnectedRig rig;
        std::vector<FileRow> listed = fileIndexRows(rig.device.fileIndexReply())->rows;
        listed[0].placeholder = c.placeholderFirst;
        SelectedRows rows(listed, c.selected);
        rig.shown.answers.push_back(c.answer);
        EXPECT_FALSE(OnDeleteFiles(rig.session, rows).ran) << c.name;
        EXPECT_TRUE(rig.device.commands.empty()) << c.name;
        EXPECT_EQ(rig.shown.events, c.events) << c.name;
    }
}

TEST(OnDeleteFiles, AFailedWriteEndsItAtOnce) {
    ConnectedRig rig;
    rig.port.onWrite = [&, inner = rig.port.onWrite](const std::string& written) {
        inner(written);
        rig.port.failNextWrites();
    };
    SelectedRows rows = rig.selection({0, 2});
    EXPECT_FALSE(OnDeleteFiles(rig.session, rows).ran);
    EXPECT_EQ(rig.device.commands, Strings{"$cmd,delete,2*ff"});
    EXPECT_FALSE(rig.session.connected());
    EXPECT_EQ(rig.shown.events.back(), "reset");
}

TEST(ClearAllFiles, SuccessEmptiesTheListAndShowsTheWholeCapacityFree) {
    ConnectedRig rig;
    rig.session.values().totalMemory = 7716800;
    rig.session.values().freeMemory = 100;
    rig.device.answer("$cmd,delete,all*ff", "");
    rig.port.onWrite = [&, inner = rig.port.onWrite](const std::string& written) {
        inner(written);
        // A long erase: silent far beyond the 2-second rule.
        rig.port.deliver("$cmd,Config,OK*ff\r\n", rig.clock.nowMs() + 30000);
    };
    EXPECT_EQ(OnClearMemory(rig.session), ClearOutcome::Cleared);
    EXPECT_EQ(rig.device.commands, Strings{"$cmd,delete,all*ff"});
    const Strings& e = rig.shown.events;
    EXPECT_EQ(e.front(), "box49: All files will be lost!\nAre you sure to do this?");
    EXPECT_EQ(e[1], "pane1: Clearing the files..");
    const Strings tail(e.end() - 4, e.end());
    EXPECT_EQ(tail,
              (Strings{"rows: 0", "memory: 7.359 GB | 0.000 KB", "pane1: Clear files successfully!",
                       "box64: Clear files successfully!"}));
    EXPECT_DOUBLE_EQ(rig.session.values().freeMemory, 100) << "the stored figures stay";
}

TEST(ClearAllFiles, NothingIsClearedWhenCancelledOrRefusedByTheDevice) {
    const std::string question = "box49: All files will be lost!\nAre you sure to do this?";
    ConnectedRig cancelled;
    cancelled.shown.answers.push_back(Button::Cancel);
    EXPECT_EQ(OnClearMemory(cancelled.session), ClearOutcome::Cancelled);
    EXPECT_EQ(cancelled.shown.events, Strings{question});
    EXPECT_TRUE(cancelled.device.commands.empty());

    ConnectedRig refused;
    refused.device.answer("$cmd,delete,all*ff", "$cmd,Config,failed*ff\r\n");
    EXPECT_EQ(OnClearMemory(refused.session), ClearOutcome::Failed);
    EXPECT_EQ(refused.shown.events,
              (Strings{question, "pane1: Clearing the files..", "pane1: Clear files failed!",
                       "box48: Clear files failed!"}));
    EXPECT_EQ(refused.device.files.size(), 5u);
}

TEST(OnSetParameters, LimitsAreCheckedBeforeAnythingIsSent) {
    struct Case {
        DeviceSettings settings;
        SetOutcome outcome;
        const char* box;
    };
    const Case cases[] = {
        {{0.0, 95.0, 0.1}, SetOutcome::Succeeded, "box64: Setting Successfully!"},
        {{1.025, -200.0, 0.5}, SetOutcome::Succeeded, "box64: Setting Successfully!"},
        {{-0.001, 30.0, 0.5}, SetOutcome::Invalid, "box49: Water density can not be less than 0"},
        {{1.0, 30.0, 0.09}, SetOutcome::Invalid, "box49: Depth interval can not be less than 0.1"},
    };
    for (const Case& c : cases) {
        ConnectedRig rig;
        EXPECT_EQ(OnSetParameters(rig.session, c.settings), c.outcome);
        EXPECT_EQ(rig.shown.events.back(), c.box);
        EXPECT_EQ(rig.device.commands.empty(), c.outcome == SetOutcome::Invalid);
        EXPECT_DOUBLE_EQ(rig.session.values().depthInterval, c.settings.depthInterval);
    }
}

TEST(OnSetParameters, ClockFirstOnYesThenTheSettingsWithPauses) {
    ConnectedRig rig;
    rig.clock.setLocalTime({2014, 3, 5, 10, 20, 30});
    EXPECT_EQ(OnSetParameters(rig.session, {1.025, 30.0, 0.5}), SetOutcome::Succeeded);
    EXPECT_EQ(rig.device.commands, (Strings{"$cmd,set,utctime,2014,3,5,10,20,30*ff",
                                            "$cmd,set,areapara,1.025000,30.000000*ff",
                                            "$cmd,set,depthscale,0.500000*ff"}));
    EXPECT_EQ(rig.shown.events,
              (Strings{"box36: Are you sure to set the device time using the PC time?",
                       "pane1: Set device time success!", "pane1: Set density, latitude success!",
                       "pane1: Set depth interval success!", "pane1: Set parameters success!",
                       "box64: Setting Successfully!"}));
    EXPECT_EQ(rig.clock.sleeps(), (std::vector<int>{100, 100, 100}));
}

TEST(OnSetParameters, NoToTheClockAndARefusedStepStillSendTheRest) {
    ConnectedRig rig;
    rig.shown.answers.push_back(Button::No);
    rig.device.answer("$cmd,set,areapara,1.000000,30.000000*ff", "svp_ok\r\n");
    EXPECT_EQ(OnSetParameters(rig.session, {1.0, 30.0, 0.5}), SetOutcome::Failed);
    EXPECT_EQ(rig.device.commands, (Strings{"$cmd,set,areapara,1.000000,30.000000*ff",
                                            "$cmd,set,depthscale,0.500000*ff"}));
    EXPECT_EQ(rig.shown.events,
              (Strings{"box36: Are you sure to set the device time using the PC time?",
                       "pane1: Set density, latitude Failed!", "pane1: Set depth interval success!",
                       "pane1: Set parameters Failed!", "box48: Set parameters Failed!"}));
    EXPECT_EQ(rig.clock.sleeps(), (std::vector<int>{100, 100, 100}));
}

TEST(OnSetParameters, AFailedClockWriteStopsWithoutASummary) {
    ConnectedRig rig;
    rig.port.failNextWrites();
    EXPECT_EQ(OnSetParameters(rig.session, {1.0, 30.0, 0.5}), SetOutcome::LinkLost);
    EXPECT_EQ(rig.shown.events.back(), "reset");
    EXPECT_TRUE(rig.device.commands.empty());
}

TEST(OnReadTime, ClockReplyShownInPaneAndBoxOrTheFailure) {
    struct Case {
        const char* fields;  // null: no reply
        Strings events;
    };
    const std::string shown = "2014-03-05 10:20:30";
    const Strings read{"pane1: " + shown, "box65: Current time:" + shown};
    const Case cases[] = {
        {"2014,3,5,10,20,30", read},
        {"67550,65539,5,10,20,30", read},                                // modulo 65536
        {"2014,3,5,10,20", {"pane1: Failed to read the device time!"}},  // a comma short
        {nullptr, {"box49: Communication error, please try again!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields ? c.fields : "no reply");
        ConnectedRig rig;
        if (c.fields) {
            rig.device.utcTime = c.fields;
        } else {
            rig.device.answer("$cmd,get,utctime*ff", "");
        }
        const std::optional<LocalDateTime> time = OnReadTime(rig.session);
        EXPECT_EQ(rig.device.commands, Strings{"$cmd,get,utctime*ff"});
        EXPECT_EQ(rig.shown.events, c.events);
        ASSERT_EQ(time.has_value(), c.events == read);
        if (time) {
            EXPECT_EQ(dateTimeText(*time), shown);
            EXPECT_EQ(rig.shown.texts[1].zh, "设备当前时间：" + shown);
        }
    }
}

}  // namespace
}  // namespace quorvane
