#include "postprocess/window/file_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <atomic>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/parse_number.h"
#include "common/qt/app_start.h"
#include "common/qt/testing/box_answer.h"
#include "common/strformat.h"
#include "common/testing/scoped_time_zone.h"
#include "common/testing/temp_dir_test.h"
#include "navigation/nav_recorder.h"
#include "postprocess/session/testing/cast_files.h"
#include "postprocess/session/testing/scripted_session.h"
#ifdef QUORVANE_CAST_LIBRARY
#include "library/cast_library.h"
#include "postprocess/window/cast_library_window.h"
#endif
#include "postprocess/window/cast_stamp_dialog.h"
#include "postprocess/window/chart_painter.h"
#include "postprocess/window/chart_widget.h"
#include "postprocess/window/data_list_view.h"
#include "postprocess/window/file_window_ids.h"
#include "postprocess/window/send_dialog.h"
#include "postprocess/window/start_depth_dialog.h"
#include "simulator/fake_acquisition.h"
#include "simulator/nav_track.h"

namespace quorvane {
namespace {

using namespace fileids;

// Plays the person at the screen: each modal dialog that comes up is answered by the next step
// a second after it appeared, as a person reads before clicking. What each showed is kept (a
// message box's text, any other dialog's title); a dialog without a step left is cancelled, so
// that a test gone wrong ends instead of waiting.
class LateUser {
  public:
    using Step = std::function<void(QWidget* dialog)>;

    LateUser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(100);
    }
    void then(Step step) { steps_.push_back(std::move(step)); }

    QStringList shown;

  private:
    void look() {
        QWidget* top = QApplication::activeModalWidget();
        if (top != seen_) {
            seen_ = top;
            since_.start();
            return;
        }
        if (!top || since_.elapsed() < 1000) {
            return;
        }
        seen_ = nullptr;
        const auto* box = qobject_cast<QMessageBox*>(top);
        shown << (box ? box->text() : top->windowTitle());
        Step step = [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); };
        if (!steps_.empty()) {
            step = std::move(steps_.front());
            steps_.pop_front();
        }
        // Outside this timer: a step may open the next dialog, which this timer must see.
        QTimer::singleShot(0, top, [step, top] { step(top); });
    }

    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
    std::deque<Step> steps_;
};

// Picks the file type in the dialog's list by keyboard, then presses Save.
LateUser::Step saveAs(const QString& type, QStringList* types = nullptr) {
    return [type, types](QWidget* dialog) {
        auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(combo, nullptr);
        if (types) {
            for (int i = 0; i < combo->count(); ++i) *types << combo->itemText(i);
        }
        const int index = combo->findText(type);
        ASSERT_GE(index, 0) << type.toStdString();
        combo->setFocus();
        while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
    };
}

LateUser::Step press(QMessageBox::StandardButton button) {
    return [button](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        box->button(button)->click();
    };
}

// Takes the time the cast dialog proposes.
const LateUser::Step kCastDialogOk = [](QWidget* dialog) {
    ASSERT_NE(qobject_cast<CastStampDialog*>(dialog), nullptr);
    qobject_cast<CastStampDialog*>(dialog)->okButton()->click();
};

class FileWindowTest : public test::TempDirTest {
  protected:
    // The window first: it holds the folder's cast library open, and Windows will not remove
    // an open file.
    void TearDown() override {
        window.reset();
        TempDirTest::TearDown();
    }
    void makeWindow(bool english) {
        if (english) {
            ASSERT_TRUE(captions.loadLibrary("Ostrelan", QUORVANE_PROGRAM_DIR));
        }
        window = std::make_unique<FileWindow>(captions, utf8OfPath(dir_));
        window->setPrompter(&prompter);
        window->fileDialog = [this](const FileDialogRequest& r) { return host.chooseFile(r); };
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void importRaw(const std::string& name,
                   const std::vector<test::Sample>& samples = test::kYoYoCast) {
        host.files.push_back(FileChoice{write(name, test::RawCastBytes(samples)), 1});
        window->action(kImportRawFile)->trigger();
    }

    void importProfile(const std::string& name, const ProfilePoint& point) {
        host.files.push_back(FileChoice{write(name, test::PointFileBytes(std::vector{point})), 1});
        window->action(kImportProfileFile)->trigger();
    }

    // A real double-click on a row of the file list or a cell of the data list, as the user
    // gives it.
    static void doubleClick(QAbstractItemView* view, int row, int column = 0) {
        const QPoint at = view->visualRect(view->model()->index(row, column)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void doubleClickFile(int row) { doubleClick(window->fileList(), row); }

    QString cell(int row, int column) const {
        return window->dataList()->model()->index(row, column).data().toString();
    }

    TemplateCaptions captions;
    test::ScriptedPrompter prompter;
    test::ScriptedHost host;
    std::unique_ptr<FileWindow> window;
};

TEST_F(FileWindowTest, ImportAndDoubleClickShowTheRawCastInTheListMenusAndButtons) {
    makeWindow(true);
    importRaw("cast.bin");
    ASSERT_EQ(window->fileList()->topLevelItemCount(), 1);
    EXPECT_EQ(window->fileList()->topLevelItem(0)->text(2), "Raw Data");
    doubleClickFile(0);

    EXPECT_EQ(window->windowTitle(), " Device ID:12345678   Firmware Version:V1.2.0");
    EXPECT_EQ(window->dataList()->model()->rowCount(), 9);
    EXPECT_EQ(cell(4, 1), "1505.000");
    EXPECT_EQ(static_cast<QLineEdit*>(window->control(kDepthIntervalEdit))->text(), "0.5");
#ifdef QUORVANE_CAST_LIBRARY
    // The cast shown is kept in the working folder's library, as it was reduced.
    auto library = CastLibrary::open(defaultLibraryPath(utf8OfPath(dir_)));
    ASSERT_TRUE(library.ok());
    const auto kept = library.value->list();
    ASSERT_TRUE(kept.ok() && kept.value->size() == 1u);
    EXPECT_EQ(kept.value->front().record.fileName, "cast.bin");
    EXPECT_EQ(kept.value->front().record.recordCount, 9);
#endif
    struct Item {
        int id;
        bool enabled, checked;
    };
    for (const Item& i : {Item{kSaveProfileFile, true, false}, Item{kCastSvp, true, true},
                          Item{kCastTemp, true, true}, Item{kFittedSvp, true, false},
                          Item{kAverage, true, false}}) {
        EXPECT_EQ(window->action(i.id)->isEnabled(), i.enabled) << i.id;
        EXPECT_EQ(window->action(i.id)->isChecked(), i.checked) << i.id;
    }
    for (int id :
         {kExportRawButton, kExportFittingButton, kExportAverageButton, kEnableSettingsCheck}) {
        EXPECT_TRUE(window->control(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(window->control(kResetButton)->isEnabled());

    // A toggle flips the curve but the check mark stays where the mode put it.
    window->action(kCastSvp)->trigger();
    EXPECT_FALSE(window->session().curveFlags().castSvp);
    EXPECT_TRUE(window->action(kCastSvp)->isChecked());
}

// The setting edits start with the members' defaults, so a profile or average file opened
// first exports, and the filter can be ticked, without a file having filled them.
TEST_F(FileWindowTest, TheSettingEditsShowTheDefaultsBeforeAnyRawCast) {
    makeWindow(true);
    const auto text = [&](int id) { return static_cast<QLineEdit*>(window->control(id))->text(); };
    EXPECT_EQ(text(kDensityEdit), "1");
    EXPECT_EQ(text(kLatitudeEdit), "30");
    EXPECT_EQ(text(kDepthIntervalEdit), "0.5");
    QTest::mouseClick(window->control(kFilterCheck), Qt::LeftButton);
    EXPECT_TRUE(window->control(kFilterDepthEdit)->isEnabled());

    importProfile("cast.prf", {1, 1500, 20});
    host.files.push_back(FileChoice{
        write("cast.asvf", test::PointFileBytes(std::vector{AveragePoint{1, 1500}})), 1});
    window->action(kImportAverageFile)->trigger();
    prompter.answers = {Button::Yes};
    for (const auto& [row, button] :
         {std::pair{0, kExportFittingButton}, std::pair{1, kExportAverageButton}}) {
        doubleClickFile(row);
        QTest::mouseClick(window->control(button), Qt::LeftButton);
    }
    EXPECT_EQ(host.requests.size(), 4u);  // the two imports, then the two exports' dialogs
    for (const Message& asked : prompter.asked)
        EXPECT_NE(asked.text.en, kNotANumberMessage.text.en);
}

TEST_F(FileWindowTest, TheCaptionsFollowTheLanguage) {
    struct Case {
        bool english;
        const char* reset;
        const char* velocityColumn;
        const char* fileColumn;
    };
    for (const Case& c : {Case{false, "重置", "声速(m/s)", "文件名"},
                          Case{true, "Reset", "Sound Veocity(m/s)", "File Name"}}) {
        captions = TemplateCaptions();
        makeWindow(c.english);
        EXPECT_EQ(static_cast<QPushButton*>(window->control(kResetButton))->text(),
                  QString::fromUtf8(c.reset));
        EXPECT_EQ(window->dataList()->model()->headerData(1, Qt::Horizontal).toString(),
                  QString::fromUtf8(c.velocityColumn));
        EXPECT_EQ(window->fileList()->headerItem()->text(1), QString::fromUtf8(c.fileColumn));
    }
}

// In either language no caption is cut by its rectangle, and the cast dialog shows a whole
// time: a time field too narrow scrolls its first digits out of sight.
TEST_F(FileWindowTest, CaptionsAndTheCastTimeShowWhole) {
    for (const bool english : {false, true}) {
        captions = TemplateCaptions();
        makeWindow(english);
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << label->text().toStdString();
        }
        CastStampDialog dialog(english, prompter, {"2026-12-04 14:30:06", "8", "", ""}, true, {},
                               {}, window.get());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QLineEdit* time = dialog.timeEdit();
        const auto cursorX = [time](int position) {
            time->setCursorPosition(position);
            time->repaint();  // where the edit scrolls its text to
            return time->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        };
        const int shown = cursorX(int(time->text().size())) - cursorX(0);
        EXPECT_GE(shown + 1, time->fontMetrics().horizontalAdvance(time->text())) << english;
    }
}

TEST_F(FileWindowTest, TheInPlaceEditorFiltersCharactersAndCommitsOnFocusLoss) {
    makeWindow(false);
    importRaw("cast.bin");
    doubleClickFile(0);
    doubleClick(window->dataList(), 0, 1);
    CellEditor* editor = window->dataList()->editor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "1501.000");
    EXPECT_EQ(editor->cursorPosition(), 8);
    const QRect cellRect = window->dataList()->visualRect(window->dataList()->model()->index(0, 1));
    EXPECT_EQ(editor->geometry(), cellRect.adjusted(0, -2, 0, 0));
    for (int i = 0; i < 8; ++i) QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, "1x6a0-0.5");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->text(), "160-0.5");
    EXPECT_TRUE(editor->isVisible());

    window->fileList()->setFocus();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(cell(0, 1), "160.00");
    EXPECT_EQ(window->session().data().rawProfile[0].soundVelocity, 160.0);
}

TEST_F(FileWindowTest, AnOpenEditCommitsIntoTheOldFileBeforeAnotherIsShown) {
    makeWindow(false);
    importRaw("cast.bin");
    importProfile("cast2.prf", {1, 1500, 20});
    doubleClickFile(0);
    doubleClick(window->dataList(), 0, 0);
    QTest::keyClicks(window->dataList()->editor(), "9");
    prompter.answers = {Button::Yes};
    doubleClickFile(1);
    EXPECT_EQ(window->session().displayMode(), DisplayMode::Fitting);
    EXPECT_EQ(cell(0, 0), "1.000");
    EXPECT_EQ(window->session().data().fittedProfile[0].depth, 1.0);
}

TEST_F(FileWindowTest, RefusingTheRealClearQuestionKeepsTheShownFile) {
    makeWindow(true);
    window->setPrompter(nullptr);
    importRaw("a.bin");
    importRaw("b.bin", {{1, 1400, 5}});
    window->setPrompter(&prompter);
    doubleClickFile(0);
    BoxAnswer answer;
    answer.press("No");
    window->setPrompter(nullptr);
    doubleClickFile(1);
    EXPECT_EQ(answer.text, "The Operation will clear the date list.\nAre you sure to do this?");
    EXPECT_EQ(window->dataList()->model()->rowCount(), 9);
    EXPECT_EQ(window->session().currentBaseName(), "a");
}

TEST_F(FileWindowTest, EveryNewlyLoadedListStartsAtItsFirstRow) {
    std::vector<test::Sample> deep;
    for (int metre = 1; metre <= 40; ++metre) deep.push_back({double(metre), 1500, 10});
    for (int metre = 39; metre >= 1; --metre) deep.push_back({double(metre), 1501, 11});
    makeWindow(false);
    importRaw("a.bin", deep);
    importRaw("b.bin", deep);
    doubleClickFile(0);
    window->dataList()->scrollToBottom();
    ASSERT_GT(window->dataList()->rowAt(0), 0);
    prompter.answers = {Button::Yes};
    doubleClickFile(1);
    EXPECT_EQ(window->dataList()->rowAt(0), 0);
}

// A profile near the ends of the double range: every axis label stays in its margin (left of
// the plot, or inside the chart) instead of running hundreds of digits across it.
TEST_F(FileWindowTest, AxisLabelsOfHugeValuesStayInTheirPlace) {
    makeWindow(true);
    host.files.push_back(
        FileChoice{write("huge.prf", test::PointFileBytes(std::vector<ProfilePoint>{
                                         {-1e308, -1e308, -1e308}, {1e308, 1e308, 1e308}})),
                   1});
    window->action(kImportProfileFile)->trigger();
    doubleClickFile(0);
    const QtTextMeasurer measure(true);
    const QSize size = window->chart()->size();
    const ChartPicture picture =
        window->session().layoutChart(size.width(), size.height(), {240, 240, 240}, measure);
    const Rect& plot = picture.plotRect;
    int labels = 0;
    for (const DrawOp& op : picture.list.ops) {
        const auto* text = std::get_if<TextOp>(&op);
        // The legend's texts, in the row above the top labels, are labels too.
        if (!text || text->font != FontRole::Label || text->at.y < plot.top - 10) {
            continue;
        }
        ++labels;
        const bool leftAxis = text->at.x < plot.left && text->at.y < plot.bottom;
        const int end = text->at.x + measure.width(FontRole::Label, text->text);
        EXPECT_LE(end, leftAxis ? plot.left : size.width()) << text->text;
    }
    EXPECT_EQ(labels, 6);
}

// The platform's dialog, answered late: the type chosen names the file ("<name>.vel", never
// "<name>.csv.vel"), each type shows its description once, and Qt's own texts are Chinese.
TEST_F(FileWindowTest, AnExportIsNamedByTheChosenTypeAndAsksAboutThatFile) {
    TemplateCaptions chinese;
    char program[] = "QuorvaneFile";
    char* argv[] = {program, nullptr};
    ASSERT_TRUE(startUi(1, argv, "Ostrelan", chinese));
    makeWindow(false);
    importProfile("cast.prf", {1, 1500, 20});
    doubleClickFile(0);
    window->fileDialog = nullptr;
    LateUser user;
    QStringList types;
    user.then([&types](QWidget* dialog) {
        types << static_cast<QFileDialog*>(dialog)->labelText(QFileDialog::Accept);
        saveAs("HYPACK(*vel)", &types)(dialog);
    });
    user.then(saveAs("HYPACK(*vel)"));
    user.then(press(QMessageBox::Yes));
    // Once the proposed name plus the first type's extension names a file, Qt's dialog
    // highlights that file; another type must still name the file after itself.
    user.then(saveAs("(*.csv)"));
    user.then(saveAs("(*txt)"));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(window->control(kExportFittingButton), Qt::LeftButton);

    EXPECT_EQ(types.join(" | ").toStdString(),
              "保存(&S) | (*.csv) | HYPACK(*vel) | (*txt) | Kongsberg SIS(*.asvp) | "
              "CARIS SVP(*.svp) | HYPACK FTP NEW 3(*.vel) | Sonardyne(*.pro) | UNB(*.unb) | "
              "iXBlue(*.txt) | Kongsberg HiPAP(*.USR) | CSV元数据(*.csv)");
    EXPECT_EQ(
        user.shown.join(" | ").toStdString(),
        "导出文件 | 导出文件 | cast_拟合数据.vel 已存在。\n您想要替换它吗？ | 导出文件 | 导出文件");
    std::vector<std::string> written;
    for (const auto& file : std::filesystem::directory_iterator(dir_ / "Data"))
        written.push_back(utf8OfPath(file.path().filename()));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"cast_拟合数据.csv", "cast_拟合数据.txt",
                                                 "cast_拟合数据.vel"}));
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
}

// A CARIS file takes further casts as sections: exporting onto it asks one question, ours, and
// its second line names the file by its full path, so a cast called "Section …" is no section.
TEST_F(FileWindowTest, ACarisExportOntoItsFileAsksOnceAndNamesItByPath) {
    makeWindow(true);
    importProfile("Section 1.prf", {1, 1500, 20});
    doubleClickFile(0);
    window->fileDialog = nullptr;
    window->setPrompter(nullptr);
    LateUser user;
    for (const LateUser::Step& step :
         {saveAs("CARIS SVP(*.svp)"), kCastDialogOk, saveAs("CARIS SVP(*.svp)"),
          press(QMessageBox::Yes), kCastDialogOk}) {
        user.then(step);
    }
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(window->control(kExportFittingButton), Qt::LeftButton);

    EXPECT_EQ(
        user.shown.join(" | ").toStdString(),
        "Export File | Cast time and position | Export File | Add this cast to Section "
        "1_Fitting File.svp as a new section?\nNo replaces the file. | Cast time and position");
    const std::filesystem::path file = dir_ / "Data" / "Section 1_Fitting File.svp";
    std::istringstream lines(test::slurp(file));
    std::vector<std::string> sections;
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    EXPECT_EQ(line, utf8OfPath(file) + "\r");
    while (std::getline(lines, line)) {
        if (line.starts_with("Section"))
            sections.push_back(line);
    }
    EXPECT_EQ(sections.size(), 2u);
}

// The cast dialog takes the position from the navigation recorded while the cast was taken, at
// the cast's UTC time by this PC's zone; a time the log does not cover is refused, not guessed.
TEST_F(FileWindowTest, TheCastPositionComesFromTheRecordedNavigation) {
    const test::ScopedTimeZone china("CST-8");
    sim::NavTrackOptions options;        // 10 kn, a fix a second
    options.startUtcMs = 1393986000000;  // 2014-03-05 02:20:00 UTC
    const sim::NavTrack ship(options);
    NavRecorder recorder(NavRecorder::defaultPath(utf8OfPath(dir_)), [] { return int64_t(0); });
    for (int epoch = 0; epoch < 60; ++epoch) {
        for (const std::string& line : ship.sentences(epoch)) recorder.line(line);
    }
    makeWindow(true);
    importProfile("2014-03-05_102030_N.prf", {1, 1500, 20});
    doubleClickFile(0);
    const FileChoice log{recorder.currentFile(), 1};
    host.files = {FileChoice{path("Data/cast.csv"), 11}, log, log};
    LateUser user;
    CastPosition taken;
    user.then([&](QWidget* dialog) {
        auto* cast = qobject_cast<CastStampDialog*>(dialog);
        ASSERT_NE(cast, nullptr);
        EXPECT_EQ(cast->offsetEdit()->text(), "+8");
        cast->timeEdit()->setText("2014-03-05 11:00:00");
        cast->navigationButton()->click();
        EXPECT_EQ(cast->latitudeEdit()->text(), "");
        cast->timeEdit()->setText("2014-03-05 10:20:30");
        cast->navigationButton()->click();
        EXPECT_EQ(cast->navigationNote()->text().toStdString(),
                  "cast position " + cast->latitudeEdit()->text().toStdString() + "," +
                      cast->longitudeEdit()->text().toStdString() +
                      " from navigation log navigation-2014-03-05.log at 2014-03-05 02:20:30 UTC "
                      "(a fix at that time)");
        taken = {*parseNumber(cast->latitudeEdit()->text().toStdString()),
                 *parseNumber(cast->longitudeEdit()->text().toStdString())};
        cast->okButton()->click();
    });
    QTest::mouseClick(window->control(kExportFittingButton), Qt::LeftButton);

    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text.en,
              "the navigation logs do not cover 2014-03-05 03:00:00 UTC: no cast position");
    const CastPosition truth = ship.positionAt(1393986030000);
    constexpr double kMetresPerDegree = 111195.0;
    EXPECT_LT(std::hypot(taken.latitude - truth.latitude,
                         (taken.longitude - truth.longitude) * std::cos(truth.latitude / 57.3)) *
                  kMetresPerDegree,
              1.0);
    EXPECT_NE(test::slurp(dir_ / "Data" / "cast.csv")
                  .find("Latitude, " + fixedDecimals(taken.latitude, 7)),
              std::string::npos);
}

// The Delete key on the file list removes the row but keeps the shown cast; the menu item also
// clears the display when the row has the shown cast's base name.
TEST_F(FileWindowTest, DeletingByKeyKeepsTheShownCastAndByMenuClearsIt) {
    struct Case {
        bool byMenu;
        int rowsLeft;
    };
    for (const Case& c : {Case{false, 9}, Case{true, 0}}) {
        makeWindow(true);
        importRaw("cast.bin");
        doubleClickFile(0);
        importProfile("cast.prf", {1, 1500, 10});
        ASSERT_EQ(window->fileList()->topLevelItemCount(), 2);

        QTreeWidget* list = window->fileList();
        list->setCurrentItem(list->topLevelItem(1));
        prompter.answers = {Button::Yes};
        if (c.byMenu) {
            window->action(kDeleteSelectedFile)->trigger();
        } else {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Delete);
        }
        EXPECT_EQ(list->topLevelItemCount(), 1) << c.byMenu;
        EXPECT_EQ(list->topLevelItem(0)->text(1), "cast.bin") << c.byMenu;
        EXPECT_EQ(window->dataList()->model()->rowCount(), c.rowsLeft) << c.byMenu;
        EXPECT_EQ(window->control(kExportRawButton)->isEnabled(), !c.byMenu) << c.byMenu;
    }
}

TEST_F(FileWindowTest, TheStartDepthDialogEndsOnlyWithOkOrItsCloseBox) {
    captions = TemplateCaptions();
    StartDepthDialog dialog(captions, prompter, 1.01f, nullptr);
    EXPECT_EQ(dialog.edit()->text(), "1.01");
    QTimer::singleShot(0, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        dialog.edit()->setText("deep");
        dialog.findChild<QPushButton*>()->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.edit()->setText("2.5");
        dialog.findChild<QPushButton*>()->click();
        if (dialog.isVisible()) {
            dialog.reject();  // a dialog that wrongly stayed open must not hang the test
        }
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dialog.startDepth(), 2.5f);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0], kNotANumberMessage);
}

TEST_F(FileWindowTest, TheCastDialogKeepsAskingUntilEveryFieldReads) {
    CastStampDialog dialog(false, prompter, {"2014-03-05 10:20:30", "0", "", ""}, true, {}, {},
                           nullptr);
    EXPECT_EQ(dialog.timeEdit()->text(), "2014-03-05 10:20:30");
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("投放时间与位置"));
    QTimer::singleShot(0, [&] {
        QPushButton* ok = dialog.okButton();
        dialog.latitudeEdit()->setText("-33.9");
        ok->click();  // a latitude without a longitude
        EXPECT_TRUE(dialog.isVisible());
        dialog.longitudeEdit()->setText("151.2");
        dialog.offsetEdit()->setText("10");
        ok->click();
        if (dialog.isVisible()) {
            dialog.reject();  // a dialog that wrongly stayed open must not hang the test
        }
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text.zh,
              "请以带符号的十进制度数输入纬度（-90到90）和经度（-180到180），或两者都留空。");
    EXPECT_EQ(dialog.stamp(),
              (CastStamp{{2014, 3, 5, 10, 20, 30}, 10.0, CastPosition{-33.9, 151.2}, "typed"}));

    // A format without a position asks for the time alone.
    CastStampDialog timeOnly(true, prompter, {"", "0", "1", "2"}, false, {}, {}, nullptr);
    timeOnly.show();
    EXPECT_FALSE(timeOnly.latitudeEdit()->isVisible());
    EXPECT_TRUE(timeOnly.timeEdit()->isVisible());
    EXPECT_EQ(timeOnly.latitudeEdit()->text(), "");
}

// The profile goes to a sonar that answers late; meanwhile the window takes other commands.
TEST_F(FileWindowTest, SendingWaitsForTheSonarWithTheWindowLive) {
    makeWindow(true);
    window->sendTargetsFile = path("config/targets.ini");
    window->action(kSendToAcquisition)->trigger();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text.en, "No Fitting data！");

    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    std::string problem;
    sim::AcquisitionOptions options{TargetKind::Sis5};
    options.replyPort = network->listen(0, problem, ListenScope::Loopback)->port();
    options.fault = sim::AcquisitionFault::Late;
    options.lateMs = 1500;
    sim::FakeAcquisition sonar(options, *network, problem);
    ASSERT_TRUE(sonar.listening()) << problem;
    std::atomic<bool> stop{false};
    std::vector<std::string> verdicts;
    std::thread serving([&] {
        sonar.serve([&] { return stop.load(); },
                    [&](const std::string& verdict) { verdicts.push_back(verdict); }, 1);
    });
    // An assertion that ends the test early still ends the sonar.
    const struct Ender {
        std::atomic<bool>& stop;
        std::thread& serving;
        ~Ender() {
            stop = true;
            if (serving.joinable())
                serving.join();
        }
    } ender{stop, serving};
    AcquisitionTarget kept{TargetKind::Sis5, "127.0.0.1", sonar.port()};
    kept.listenPort = options.replyPort;
    kept.name = "EM 2040";
    std::filesystem::create_directories(dir_ / "config");
    std::ofstream(path("config/targets.ini")) << targetListText({kept});

    host.files.push_back(FileChoice{
        write("cast.prf", test::PointFileBytes(std::vector<ProfilePoint>{
                              {0.5, 1531.6, 24.0}, {20.0, 1531.8, 23.9}, {60.0, 1508.3, 15.2}})),
        1});
    window->action(kImportProfileFile)->trigger();
    doubleClickFile(0);
    LateUser user;
    user.then([](QWidget* dialog) {
        auto* targets = qobject_cast<SendTargetsDialog*>(dialog);
        ASSERT_NE(targets, nullptr);
        EXPECT_EQ(targets->table()->item(0, 0)->text(), "EM 2040");
        targets->sendButton()->click();
    });
    user.then(kCastDialogOk);
    window->action(kSendToAcquisition)->trigger();
    EXPECT_EQ(user.shown, (QStringList{"Send to acquisition system", "Cast time and position"}));
    SendPanel* panel = window->sendPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->finished());
    // The window answers while the sonar has not.
    const bool wasShown = window->session().curveFlags().fittedTemp;
    window->action(kFittedTemp)->trigger();
    EXPECT_NE(window->session().curveFlags().fittedTemp, wasShown);
    EXPECT_FALSE(panel->finished());
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->finished(); }, 15000));
    ASSERT_EQ(panel->lines()->count(), 1);
    EXPECT_TRUE(panel->lines()->item(0)->text().contains("confirmed, the sonar uses the 5 points"))
        << panel->lines()->item(0)->text().toStdString();
    stop = true;
    serving.join();
    EXPECT_EQ(verdicts, std::vector<std::string>{"took 5 points, answered"});
}

#ifdef QUORVANE_CAST_LIBRARY
// Two casts of one device and one of another between them, each a profile of one speed to
// 100 m. Straight rays: the 1500 m/s cast puts a sounding the 1503 m/s one puts at 100 m at
// 100 × 1500 / 1503, 0.20 m shallower at every angle, 14 % of Order 1a's TVU of
// √(0.5² + (0.013 × 100)²) = 1.39 m there. The other device's 1520 m/s would take 81 %.
TEST_F(FileWindowTest, TheCastLibraryListsSortsShowsAndComparesTheCasts) {
    makeWindow(true);
    importProfile("shown.prf", {1, 1500, 20});
    doubleClickFile(0);
    window->action(kCastLibrary)->trigger();
    auto* library = window->findChild<CastLibraryWindow*>();
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(library));
    EXPECT_EQ(library->table()->rowCount(), 0);
    EXPECT_TRUE(library->statusLine()->text().startsWith("This folder has no cast library yet"));
    library->close();

    struct Cast {
        const char* file;
        int64_t device;
        int hour;
        double speed;
        int64_t records;
    };
    {
        LibraryResult<CastLibrary> opened = CastLibrary::open(defaultLibraryPath(utf8OfPath(dir_)));
        ASSERT_TRUE(opened.ok());
        for (const Cast& c :
             {Cast{"a.prf", 12345678, 8, 1500, 950}, Cast{"b.prf", 87654321, 9, 1520, 1200},
              Cast{"c.prf", 12345678, 10, 1503, 80}}) {
            CastRecord record;
            record.contentSha256 = std::string(64, c.file[0]);
            record.deviceId = c.device;
            record.fileName = c.file;
            record.profile = {{0, c.speed, 20}, {50, c.speed, 15}, {100, c.speed, 10}};
            record.filePath = write(c.file, test::PointFileBytes(record.profile));
            record.localTime = {2024, 5, 1, c.hour, 0, 0};
            record.recordCount = c.records;
            ASSERT_TRUE(opened.value->recordCast(record).ok());
        }
    }
    window->action(kCastLibrary)->trigger();
    QTableWidget* table = library->table();
    const auto files = [table] {
        QStringList names;
        for (int row = 0; row < table->rowCount(); ++row) names << table->item(row, 1)->text();
        return names.join(" ");
    };
    EXPECT_EQ(files(), "a.prf b.prf c.prf");
    EXPECT_EQ(library->statusLine()->text(), "3 casts.");
    // By the record count as a number: as text, "1200" would come before "80".
    QHeaderView* header = table->horizontalHeader();
    const QPoint records(header->sectionViewportPosition(7) + header->sectionSize(7) / 2,
                         header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, records);
    EXPECT_EQ(files(), "c.prf a.prf b.prf");

    prompter.answers = {Button::Yes};
    doubleClick(table, 0, 1);
    EXPECT_EQ(window->session().shownPath(), path("c.prf"));
    EXPECT_EQ(cell(0, 1), "1503.000");
    ASSERT_EQ(window->fileList()->topLevelItemCount(), 2);
    EXPECT_EQ(window->fileList()->currentItem()->text(1), "c.prf");

    QTest::mouseClick(library->compareButton(), Qt::LeftButton);
    const QString verdict = library->verdictLine()->text();
    EXPECT_TRUE(
        verdict.startsWith("Against the previous cast, a.prf (2024-05-01 08:00:00): "
                           "Within 14 % of the Order 1a TVU: the largest depth "
                           "difference is 0.20 m at "))
        << verdict.toStdString();
    EXPECT_TRUE(verdict.endsWith("against a TVU of 1.39 m at 100.0 m.")) << verdict.toStdString();
    const ChartPicture picture = window->chart()->picture();
    size_t referenceCurves = 0, legends = 0;
    for (const DrawOp& op : picture.list.ops) {
        if (const auto* line = std::get_if<PolylineOp>(&op))
            referenceCurves += line->pen.color == kReferenceColor;
        if (const auto* text = std::get_if<TextOp>(&op))
            legends += text->text == "Previous cast a.prf";
    }
    EXPECT_EQ(referenceCurves, 1u);
    EXPECT_EQ(legends, 1u);

    // 1504.2 m/s against the cast's 1503 at the surface: 1.2 m/s apart.
    LateUser user;
    QStringList results;
    user.then([&results](QWidget* dialog) {
        const auto edit = [dialog](const char* name) {
            return dialog->findChild<QLineEdit*>(name);
        };
        const auto check = [&] {
            dialog->findChild<QPushButton*>("checkButton")->click();
            results << dialog->findChild<QLabel*>("resultLine")->text();
        };
        edit("probeSpeedEdit")->setText("15o4.2");
        check();
        EXPECT_TRUE(dialog->isVisible());
        edit("probeSpeedEdit")->setText("1504.2");
        check();
        dialog->findChild<QPushButton*>("closeButton")->click();
    });
    QTest::mouseClick(library->probeButton(), Qt::LeftButton);
    EXPECT_EQ(user.shown, QStringList{"Probe check"});
    EXPECT_EQ(results,
              (QStringList{"Probe speed: enter a positive number of m/s.",
                           "The surface probe reads 1504.20 m/s, the cast 1503.00 m/s at the "
                           "0.00 m draft: 1.20 m/s apart, within 2.00 m/s."}));

    std::filesystem::remove(path("b.prf"));
    doubleClick(table, 2, 1);
    EXPECT_EQ(prompter.asked.back().text.en, "The file " + path("b.prf") + " is no longer there.");
    EXPECT_EQ(window->session().shownPath(), path("c.prf"));
}
#endif

}  // namespace
}  // namespace quorvane
