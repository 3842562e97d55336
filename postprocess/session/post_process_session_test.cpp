#include "postprocess/session/post_process_session.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_time_zone.h"
#include "common/testing/temp_dir_test.h"
#include "postprocess/session/testing/cast_files.h"
#include "postprocess/session/testing/scripted_session.h"

namespace quorvane {
namespace {

class SessionTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        session = std::make_unique<PostProcessSession>(true, prompter, host, utf8OfPath(dir_));
        rawPath = write("cast.bin", test::RawCastBytes(test::kYoYoCast));
        prfPath = write("cast.prf", test::PointFileBytes(std::vector<ProfilePoint>{
                                        {1, 1500, 20}, {2, 1510, 19}, {3, 1520, 18}}));
        asvfPath = write("cast.asvf",
                         test::PointFileBytes(std::vector<AveragePoint>{{1, 1500}, {2, 1505}}));
    }

    void add(std::initializer_list<std::string> paths) {
        for (const std::string& path : paths) {
            const std::string name = utf8OfPath(pathFromUtf8(path).filename());
            session->addFileEntry(path, name.substr(name.find_last_of('.') + 1), name);
        }
    }

    // Opens a row, agreeing to clear the data list when asked.
    void open(int row) {
        if (session->dataList().rowCount() > 0)
            prompter.answers.push_back(Button::Yes);
        session->openFileListRow(row);
    }

    std::vector<std::string> askedEnglish() const {
        std::vector<std::string> texts;
        for (const Message& m : prompter.asked) texts.push_back(m.text.en);
        return texts;
    }

    test::ScriptedPrompter prompter;
    test::ScriptedHost host;
    std::unique_ptr<PostProcessSession> session;
    std::string rawPath, prfPath, asvfPath;
};

TEST_F(SessionTest, ImportStartsInDataAndADoubleClickShowsTheRawCast) {
    host.files = {FileChoice{rawPath, 1}, FileChoice{path("deleted.bin"), 1}};
    session->importRawFile();
    session->importRawFile();  // gone before the dialog closed: nothing is added
    ASSERT_EQ(host.requests.size(), 2u);
    EXPECT_EQ(host.requests[0].title.en, "Open Raw File");
    EXPECT_EQ(host.requests[0].filter, "OriginalData File(*.bin)|*.bin||");
    EXPECT_EQ(host.requests[0].folder, utf8OfPath(dir_ / "Data"));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Data"));
    EXPECT_EQ(session->files().entries().size(), 1u);

    session->openFileListRow(-1);
    EXPECT_EQ(session->dataList().rowCount(), 0u);
    session->openFileListRow(0);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(session->windowTitle(), " Device ID:12345678   Firmware Version:V1.2.0");
    EXPECT_EQ(session->chartTitle(), "cast.bin (Sound Velocity/Temperature Curve)");
    EXPECT_EQ(session->currentBaseName(), "cast");
    ASSERT_EQ(session->dataList().rowCount(), 9u);
    EXPECT_EQ(session->dataList().text(4, 0), "5.000");
    EXPECT_EQ(session->dataList().text(4, 1), "1505.000");
    EXPECT_EQ(session->dataList().text(4, 2), "15.000");
    const ControlValues values = session->controlValues();
    EXPECT_EQ(values.density, "1");
    EXPECT_EQ(values.latitude, "30");
    EXPECT_EQ(values.depthInterval, "0.5");
}

TEST_F(SessionTest, TheModeOfTheFileSetsMenusFlagsAndButtons) {
    add({rawPath, prfPath, asvfPath});
    struct Case {
        int row;
        DisplayMode mode;
        ControlStates controls;
        CurveFlags flags;
        size_t rows;
        std::string thirdColumn;
    };
    const MenuItemState on{true, true}, off{true, false}, grey{false, false};
    using enum DisplayMode;
    // clang-format off
    const Case cases[] = {
        {0, Raw, {off, on, on, off, off, off, false, true, false, true, true, true},
         {true, true, false, false, false}, 9, "19.000"},
        {1, Fitting, {off, grey, grey, on, on, off, false, false, false, false, true, true},
         {false, false, true, true, false}, 3, "20.000"},
        {2, Average, {grey, grey, grey, grey, grey, on, false, false, false, false, false, true},
         {false, false, false, false, true}, 2, ""},
    };
    // clang-format on
    const auto shown = [](const CurveFlags& f) {
        return std::array{f.castSvp, f.castTemp, f.fittedSvp, f.fittedTemp, f.average};
    };
    for (const Case& c : cases) {
        open(c.row);
        EXPECT_EQ(session->displayMode(), c.mode) << c.row;
        EXPECT_EQ(session->controls(), c.controls) << c.row;
        EXPECT_EQ(shown(session->curveFlags()), shown(c.flags)) << c.row;
        EXPECT_EQ(session->dataList().rowCount(), c.rows) << c.row;
        EXPECT_EQ(session->dataList().text(0, 2), c.thirdColumn) << c.row;
    }
    EXPECT_EQ(session->windowTitle(), "QuorvaneFile");
    EXPECT_EQ(askedEnglish(), std::vector<std::string>(
                                  2,
                                  "The Operation will clear the date list.\nAre you sure to do "
                                  "this?"));
}

TEST_F(SessionTest, RefusingTheClearQuestionChangesNothing) {
    add({rawPath, prfPath});
    open(0);
    session->commitCell(0, 1, "1600");
    prompter.answers = {Button::No};
    session->openFileListRow(1);
    EXPECT_EQ(session->displayMode(), DisplayMode::Raw);
    EXPECT_EQ(session->chartTitle(), "cast.bin (Sound Velocity/Temperature Curve)");
    EXPECT_EQ(session->dataList().text(0, 1), "1600.00");
    EXPECT_EQ(session->data().rawProfile[0].soundVelocity, 1600.0);
}

TEST_F(SessionTest, AnUnknownExtensionEmptiesTheProfilesAndEditsOfItsOldRowsAreIgnored) {
    add({rawPath, write("notes.txt", {1, 2, 3})});
    open(0);
    open(1);
    EXPECT_EQ(session->displayMode(), DisplayMode::Raw);
    EXPECT_EQ(session->chartTitle(), "notes.txt (Sound Velocity/Temperature Curve)");
    EXPECT_EQ(session->currentBaseName(), "notes");
    EXPECT_TRUE(session->data().rawProfile.empty());
    EXPECT_EQ(session->dataList().rowCount(), 9u);
    session->commitCell(8, 0, "3");
    EXPECT_EQ(session->dataList().text(8, 0), "3.00");
    EXPECT_TRUE(session->data().rawProfile.empty());
    EXPECT_TRUE(session->data().downCast.empty());
}

TEST_F(SessionTest, ARawFileThatCannotBeReadLeavesNoRecordsToReset) {
    add({rawPath});
    const std::string gone = path("gone.bin");
    session->addFileEntry(gone, "bin", "gone.bin");
    open(0);
    ASSERT_FALSE(session->data().rawRecords.empty());
    prompter.asked.clear();
    open(1);
    EXPECT_EQ(askedEnglish(),
              (std::vector<std::string>{
                  "The Operation will clear the date list.\nAre you sure to do this?",
                  "Failed to read file : " + gone, "Failed to read Raw file : " + gone}));
    EXPECT_TRUE(session->data().rawRecords.empty());
    EXPECT_FALSE(session->controls().settingsCheckEnabled);
    EXPECT_EQ(session->currentBaseName(), "gone");
}

TEST_F(SessionTest, ResetRefusesAnIntervalBelowOneDecimetreAndOtherwiseReducesAgain) {
    add({rawPath});
    open(0);
    session->commitCell(0, 1, "1600");
    ControlValues values = session->controlValues();
    values.settingsEnabled = true;

    values.depthInterval = "0.05";
    prompter.answers = {Button::Yes};
    prompter.asked.clear();
    session->resetSettings(values);
    EXPECT_EQ(askedEnglish().back(), "Depth interval can not be less than 0.1m!");
    EXPECT_EQ(session->dataList().text(0, 1), "1600.00");

    values.depthInterval = "0.1";
    prompter.answers = {Button::Yes};
    session->resetSettings(values);
    EXPECT_EQ(session->dataList().text(0, 1), "1501.000");
    EXPECT_EQ(session->data().rawProfile[0].soundVelocity, 1501.0);
    EXPECT_FLOAT_EQ(session->data().depthInterval, 0.1f);

    values.density = "dense";
    prompter.answers = {Button::Yes};
    session->resetSettings(values);
    EXPECT_EQ(askedEnglish().back(), "Please enter a number.");
}

TEST_F(SessionTest, CurveTogglesLeaveTheCheckMarksAndTheAverageAsksForItsStartDepth) {
    add({rawPath});
    open(0);
    session->toggleCurve(Curve::CastSvp);
    EXPECT_FALSE(session->curveFlags().castSvp);
    EXPECT_TRUE(session->controls().castSvp.checked);
    session->toggleCurve(Curve::CastSvp);
    EXPECT_TRUE(session->curveFlags().castSvp);

    host.depths = {std::nullopt};
    session->toggleCurve(Curve::Average);
    EXPECT_FALSE(session->curveFlags().average);
    EXPECT_FALSE(session->controls().average.checked);
    EXPECT_TRUE(session->data().averageProfile.empty());

    host.depths = {1.5f};
    prompter.asked.clear();
    session->toggleCurve(Curve::Average);
    EXPECT_TRUE(session->curveFlags().average);
    EXPECT_FLOAT_EQ(host.proposedDepths.back(), 1.01f);  // the shallowest 1 m, plus 1 cm
    EXPECT_FALSE(session->data().averageProfile.empty());
    EXPECT_FLOAT_EQ(session->data().averageStartDepth, 1.5f);
    EXPECT_EQ(host.repaints, 1);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].type, BoxType::YesNoQuestion);
    EXPECT_EQ(prompter.asked[0].text.en.rfind("Maximum depth:5.00m\n", 0), 0u);
}

TEST_F(SessionTest, CellEditsGoIntoTheProfileOfTheMode) {
    add({rawPath, prfPath, asvfPath});
    struct Edit {
        int fileRow;
        size_t row;
        int column;
        const char* typed;
        const char* cell;
        std::function<double(const CastData&)> stored;
        double expected;
    };
    const Edit edits[] = {
        {0, 0, 1, "1600.126", "1600.13",
         [](const CastData& d) { return d.downCast[0].soundVelocity; }, 1600.13},
        {1, 1, 2, "-12.5", "-12.50", [](const CastData& d) { return d.temperatureMin; }, -12.5},
        {1, 2, 0, "", "0.00", [](const CastData& d) { return d.fittedProfile[2].depth; }, 0.0},
        {2, 1, 1, "1.2.3", "1.20", [](const CastData& d) { return d.averageVelocityMin; }, 1.2},
        {2, 0, 2, "7", "", [](const CastData& d) { return d.averageProfile[0].depth; }, 1.0},
    };
    for (const Edit& e : edits) {
        if (session->currentBaseName().empty() ||
            session->displayMode() != DisplayMode(e.fileRow)) {
            open(e.fileRow);
        }
        session->commitCell(e.row, e.column, e.typed);
        EXPECT_EQ(session->dataList().text(e.row, e.column), e.cell) << e.typed;
        EXPECT_DOUBLE_EQ(e.stored(session->data()), e.expected) << e.typed;
    }
    // A run of digits too long for a double is refused, not stored as infinity.
    session->commitCell(1, 1, std::string(400, '9'));
    EXPECT_EQ(prompter.asked.back(), kCellValueRefused);
    EXPECT_EQ(session->dataList().text(1, 1), "1.20");
}

TEST_F(SessionTest, DeletingTheShownFileClearsTheDisplayOnlyFromTheMenu) {
    add({rawPath, prfPath});
    open(0);
    prompter.answers = {Button::Yes};
    session->deleteFileByKey(1);  // cast.prf: same base name as the shown cast.bin
    EXPECT_EQ(session->files().entries().size(), 1u);
    EXPECT_EQ(session->dataList().rowCount(), 9u);

    add({prfPath});
    prompter.answers = {Button::No};
    session->deleteSelectedFile(1);
    EXPECT_EQ(session->files().entries().size(), 2u);

    prompter.answers = {Button::Yes};
    session->deleteSelectedFile(1);  // again cast.prf: "cast" is what is shown
    EXPECT_EQ(session->files().entries().size(), 1u);
    EXPECT_EQ(session->dataList().rowCount(), 0u);
    EXPECT_TRUE(session->data().rawProfile.empty());
    EXPECT_EQ(session->currentBaseName(), "");
    EXPECT_FALSE(session->controls().exportRaw || session->controls().exportFitting ||
                 session->controls().exportAverage || session->controls().settingsCheckEnabled);
    EXPECT_EQ(session->chartTitle(), "cast.bin (Sound Velocity/Temperature Curve)");
    EXPECT_EQ(session->displayMode(), DisplayMode::Raw);
}

TEST_F(SessionTest, ExportsCheckTheFilterBeforeTheDialogAndWriteTheChosenFormat) {
    add({rawPath});
    open(0);
    ControlValues values = session->controlValues();
    values.filterEnabled = true;
    values.filterDepth = "0.05";
    session->exportData(ExportKind::Raw, values);
    EXPECT_TRUE(host.requests.empty());
    EXPECT_EQ(askedEnglish().back(), "Depth interval can not be less than 0.1m!");

    values.filterDepth = "2";
    host.files = {FileChoice{path("out"), 1}};
    session->exportData(ExportKind::Raw, values);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].fileName, "cast_Raw File");
    // Depths 1 2 3 4 5 4 3 2 1 through a 2 m filter: 1, 3, 5, 3, 1.
    EXPECT_EQ(test::slurp(path("out.csv")),
              "Depth,Sound Velocity,Temperature\r\n1.000,1501.000,19.000\r\n"
              "3.000,1503.000,17.000\r\n5.000,1505.000,15.000\r\n3.000,1503.500,17.500\r\n"
              "1.000,1501.500,19.500\r\n");

    session->exportData(ExportKind::Average, values);
    EXPECT_EQ(askedEnglish().back(),
              "No Average data in the file. Please set Average Sound Velocity First!");
}

// A raw cast shown is kept as it was reduced, then with each file written from it; the time and
// position an export asks for rewrite its record. A profile file has no raw cast to key it by.
TEST_F(SessionTest, TheShownRawCastIsKeptWithWhatIsWrittenFromIt) {
    struct Kept {
        ProcessedCast cast;
        std::vector<CastOutput> outputs;
        bool replace = false;
    };
    struct Recorder : CastRecorder {
        RecordOutcome record(const ProcessedCast& cast, const std::vector<CastOutput>& outputs,
                             bool replace) override {
            kept.push_back({cast, outputs, replace});
            return RecordOutcome::Recorded;
        }
        std::vector<Kept> kept;
    } recorder;
    session->setCastRecorder(&recorder);
    add({prfPath, rawPath});
    open(0);
    EXPECT_TRUE(recorder.kept.empty());
    open(1);
    ASSERT_EQ(recorder.kept.size(), 1u);
    const Kept& loaded = recorder.kept[0];
    EXPECT_FALSE(loaded.replace);  // what a processing recorded stays
    EXPECT_EQ(loaded.cast.path, rawPath);
    EXPECT_EQ(loaded.cast.deviceId, 12345678);
    EXPECT_EQ(loaded.cast.recordCount, 9);
    EXPECT_EQ(loaded.cast.profile.size(), session->data().fittedProfile.size());
    EXPECT_FALSE(loaded.cast.position);

    host.files = {FileChoice{path("out"), 1}, FileChoice{path("out"), 4}};
    host.stamps = {CastStamp{{2014, 3, 5, 10, 20, 30}, 8.0, CastPosition{22.5, 114.0}, "typed"}};
    session->exportData(ExportKind::Fitting, session->controlValues());
    session->exportData(ExportKind::Fitting, session->controlValues());
    ASSERT_EQ(recorder.kept.size(), 3u);
    EXPECT_FALSE(recorder.kept[1].replace);
    ASSERT_EQ(recorder.kept[1].outputs.size(), 1u);
    EXPECT_EQ(recorder.kept[1].outputs[0].kind, "csv");
    EXPECT_EQ(recorder.kept[1].outputs[0].target, path("out.csv"));
    const Kept& stamped = recorder.kept[2];
    EXPECT_TRUE(stamped.replace);
    EXPECT_EQ(stamped.outputs[0].kind, "asvp");
    EXPECT_EQ(stamped.cast.utcTime, (CastTime{2014, 3, 5, 2, 20, 30}));
    EXPECT_EQ(stamped.cast.position, (CastPosition{22.5, 114.0}));
    EXPECT_EQ(stamped.cast.positionSource, "typed");
}

TEST_F(SessionTest, AcquisitionFormatsAskForTheCastAndCarisForAppending) {
    // A profile saved under the name of the downloaded cast it was fitted from.
    add({write("2014-03-05_102030_N.prf",
               test::PointFileBytes(std::vector<ProfilePoint>{{1, 1500, 20}, {2, 1510.25, 19}}))});
    open(0);
    const ControlValues values = session->controlValues();
    // Fitting dialog: the three tables, then Kongsberg SIS, CARIS, ...
    host.files = {FileChoice{path("casts"), 5}, FileChoice{path("casts.svp"), 5},
                  FileChoice{path("casts.svp"), 5}};  // the third one is cancelled below
    host.stamps = {CastStamp{{2014, 3, 5, 10, 20, 30}, 8.0, CastPosition{-0.5, 10.999999999}},
                   CastStamp{{2014, 3, 6, 9, 0, 0}, 8.0, std::nullopt}};
    const test::ScopedTimeZone china("CST-8");
    session->exportData(ExportKind::Fitting, values);
    prompter.answers = {Button::Yes};
    session->exportData(ExportKind::Fitting, values);
    ASSERT_EQ(host.proposedStamps.size(), 2u);
    EXPECT_EQ(host.proposedStamps[0].first, (CastStampTexts{"2014-03-05 10:20:30", "+8", "", ""}));
    EXPECT_TRUE(host.proposedStamps[0].second);
    EXPECT_EQ(askedEnglish().back(),
              "Add this cast to casts.svp as a new section?\nNo replaces "
              "the file.");
    const std::string rows = "1.000000 1500.000000\r\n2.000000 1510.250000\r\n";
    EXPECT_EQ(test::slurp(path("casts.svp")),
              "[SVP_VERSION_2]\r\n" + path("casts.svp") +
                  "\r\nSection 2014-064 02:20:30 -00:30:00.00 "
                  "11:00:00.00\r\n" +
                  rows + "Section 2014-065 01:00:00 00:00:00.00 00:00:00.00\r\n" + rows);

    // Cancelling the cast dialog writes nothing; No to appending replaces the file.
    const std::string twoCasts = test::slurp(path("casts.svp"));
    prompter.answers = {Button::No};
    session->exportData(ExportKind::Fitting, values);
    EXPECT_EQ(test::slurp(path("casts.svp")), twoCasts);
    host.files = {FileChoice{path("casts.svp"), 5}};
    host.stamps = {CastStamp{{2014, 3, 6, 9, 0, 0}, 8.0, std::nullopt}};
    prompter.answers = {Button::No};
    session->exportData(ExportKind::Fitting, values);
    EXPECT_EQ(test::slurp(path("casts.svp")), "[SVP_VERSION_2]\r\n" + path("casts.svp") +
                                                  "\r\nSection 2014-065 01:00:00 00:00:00.00 "
                                                  "00:00:00.00\r\n" +
                                                  rows);
}

TEST_F(SessionTest, ABitmapSaveWaitsForAPaintWithPixelsAndReportsAFailedWrite) {
    add({rawPath});
    open(0);
    host.files = {FileChoice{path("missing-folder/chart.bmp"), 1}};
    session->saveGraphics();
    EXPECT_EQ(host.requests[0].fileName, "cast");
    EXPECT_EQ(host.requests[0].filter, "WINDOWS bitmap File(*.bmp)|*.bmp||");
    ASSERT_TRUE(session->bitmapSavePending());
    session->writePendingBitmap(Pixels{}, 32);
    EXPECT_TRUE(session->bitmapSavePending());
    session->writePendingBitmap(Pixels{2, 1, {0, 0}}, 32);
    EXPECT_FALSE(session->bitmapSavePending());
    EXPECT_EQ(askedEnglish(), std::vector<std::string>{"The graphics file could not be saved. "
                                                       "Please check the folder and the file "
                                                       "name."});
}

}  // namespace
}  // namespace quorvane
