// The device window driven offscreen against the virtual profiler over a pseudo-terminal (and,
// for an index the profiler cannot send, a scripted device behind a fake port).
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/qt/testing/box_reader.h"
#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/link/testing/pty_pair.h"
#include "device/operations/testing/device_profiler_fixture.h"
#include "device/operations/testing/scripted_device.h"
#include "device/window/device_status_bar.h"
#include "device/window/device_window.h"
#include "device/window/device_window_ids.h"
#ifdef QUORVANE_CAST_LIBRARY
#include "library/cast_library.h"
#endif
#include "simulator/nav_track.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using namespace deviceids;
using Strings = std::vector<std::string>;
using test::Cast;

// Answers every box (OK, Yes, or what is queued) and records it as "box49: text" in the
// interface language, with pane 1 as it reads at that moment. Given `lateMs`, it reads each box
// that long before answering, as a person does, the window going on meanwhile.
class ScriptedBoxes : public Prompter {
  public:
    ScriptedBoxes(bool english, DeviceWindow*& window) : english_(english), window_(window) {}

    Button ask(const Message& m) override {
        if (lateMs > 0) {
            QTest::qWait(lateMs);
        }
        boxes.push_back("box" + std::to_string(int(m.type)) + ": " + m.text.pick(english_));
        paneAtBox.push_back(window_->deviceStatusBar()->paneText(1).toStdString());
        if (onAsk) {
            onAsk(m);
        }
        if (!answers.empty()) {
            const Button b = answers.front();
            answers.pop_front();
            return b;
        }
        return goOnAnswer(m.type);
    }

    Strings boxes;
    Strings paneAtBox;
    std::deque<Button> answers;
    std::function<void(const Message&)> onAsk;
    int lateMs = 0;

  private:
    bool english_;
    DeviceWindow*& window_;
};

// Rows 0 to 5 in the device's (name) order.
const std::vector<Cast> kCasts = {{"A0.BIN", 100},  {"A1.BIN", 1025}, {"A2.BIN", 512 * 20},
                                  {"A3.BIN", 3000}, {"A4.BIN", 700},  {"A5.BIN", 70000}};
const Cast kLargeCast{"BIG.BIN", 512 * 586};

// How long a person takes to read a box before answering it.
constexpr int kReadingMs = 1200;

// Calls `changed` with pane `pane`'s whole text each time the pane is given a text: a pane
// keeps its whole text in its tool tip, whose change the label is told of at once, so no
// frame of an animation slips by as it could between samples.
class PaneWatch : public QObject {
  public:
    PaneWatch(const DeviceStatusBar* bar, int pane, std::function<void(const std::string&)> changed)
        : bar_(bar), pane_(pane), changed_(std::move(changed)) {
        const_cast<QLabel*>(bar->paneLabel(pane))->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ToolTipChange) {
            changed_(bar_->paneText(pane_).toStdString());
        }
        return false;
    }

  private:
    const DeviceStatusBar* bar_;
    int pane_;
    std::function<void(const std::string&)> changed_;
};

class DeviceWindowTest : public test::DeviceProfilerTest {
  protected:
    void TearDown() override {
        window_.reset();
        DeviceProfilerTest::TearDown();
    }

    // A window whose Connect probes `ports`, in the given language.
    void openWindow(bool english, Clock& clock, SerialPort& port, PortLister ports) {
        fs::create_directories(work());
        captions_ = TemplateCaptions();
        if (english) {
            ASSERT_TRUE(captions_.loadLibrary("Duvrelan", QUORVANE_PROGRAM_DIR));
        }
        boxes_ = std::make_unique<ScriptedBoxes>(english, window_raw_);
        window_ = std::make_unique<DeviceWindow>(captions_, port, clock, std::move(ports), work());
        window_raw_ = window_.get();
        window_->setPrompter(boxes_.get());
        window_->show();
    }
    // The window on the profiler's port only, connected, its file list read; boxes answered
    // after `lateMs`.
    void openConnected(bool english = true, int lateMs = 0) {
        openWindow(english, clock_, port_, onlyPort(profiler_->slavePath()));
        boxes_->lateMs = lateMs;
        click(kConnectButton);
        click(kFileListButton);
        boxes_->boxes.clear();
        boxes_->paneAtBox.clear();
    }

    void click(int id) { qobject_cast<QPushButton*>(window_->control(id))->click(); }
    QString field(int id) const { return qobject_cast<QLineEdit*>(window_->control(id))->text(); }
    void setField(int id, const char* text) {
        qobject_cast<QLineEdit*>(window_->control(id))->setText(text);
    }
    std::string pane(int pane) const {
        return window_->deviceStatusBar()->paneText(pane).toStdString();
    }
    // A pane shows its whole text, or as much of it as fits ending in an ellipsis, never a
    // text cut at its edge; its tool tip holds the whole text.
    void expectWholeOrElided(int pane) const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QLabel* label = window_->deviceStatusBar()->paneLabel(pane);
        const QString whole = window_->deviceStatusBar()->paneText(pane);
        const QString shown = label->text();
        SCOPED_TRACE(shown.toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
        if (shown != whole) {
            EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
            EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
        }
        QTextDocument tip;
        tip.setHtml(label->toolTip());
        EXPECT_EQ(tip.toPlainText(), whole);
    }
    void select(const std::vector<int>& rows) {
        QTableWidget* list = window_->fileList();
        list->clearSelection();
        for (int r : rows) {
            list->selectionModel()->select(list->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    Strings column(int c) const {
        Strings texts;
        for (int r = 0; r < window_->fileList()->rowCount(); ++r) {
            texts.push_back(window_->fileList()->item(r, c)->text().toStdString());
        }
        return texts;
    }
    // Runs the event loop until the download worker has been taken home.
    void waitForDownload() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window_->session().downloadRunning(); }, 60000));
    }

    TemplateCaptions captions_;
    PosixSerialPort port_;
    SystemClock clock_;
    std::unique_ptr<ScriptedBoxes> boxes_;
    DeviceWindow* window_raw_ = nullptr;
    std::unique_ptr<DeviceWindow> window_;
};

TEST_F(DeviceWindowTest, ConnectProbesThePortsAndShowsTheReadOut) {
    struct Case {
        const char* name;
        bool english;
        std::string title, pane0, pane1;
        Strings boxes;
    };
    // The read-out's texts in their variants are the core's tests; here they reach the window.
    const Case cases[] = {
        {"English",
         true,
         "Device ID: 12345678   Firmware Version: V1.2.0",
         "Device OK! StateCode:0",
         "Device Connected!",
         {"box64: Device Connected!"}},
        {"Chinese",
         false,
         " 设备ID：12345678   固件版本：V1.2.0",
         "设备正常！ 状态码：0",
         "设备连接成功！",
         {"box64: 设备连接成功！"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        startProfiler(options(), {kCasts[0]});
        // The first port is opened and asked, but nothing answers on it.
        PtyPair silent;
        ASSERT_TRUE(silent.ok());
        PosixSerialPort port;
        openWindow(c.english, clock_, port,
                   [first = silent.slave(), second = profiler_->slavePath()](Strings& ports) {
                       ports = {first, second};
                       return 1;
                   });
        click(kConnectButton);
        EXPECT_EQ(silent.receive(19), "$cmd,get,sysinfo*ff");
        EXPECT_TRUE(window_->session().connected());
        EXPECT_EQ(window_->windowTitle().toStdString(), c.title);
        EXPECT_EQ(pane(0), c.pane0);
        EXPECT_EQ(pane(1), c.pane1);
        expectWholeOrElided(0);
        EXPECT_EQ(boxes_->boxes, c.boxes);
        EXPECT_EQ((QStringList{field(kDensityEdit), field(kLatitudeEdit), field(kDepthIntervalEdit),
                               field(kFreeMemoryEdit), field(kUsedMemoryEdit)}),
                  (QStringList{"1.025", "30", "0.5", "7.359 GB", "32.000 KB"}));
        // Connected through the second port: its list can be read.
        click(kFileListButton);
        EXPECT_EQ(column(1), Strings{"A0.BIN"});
        window_.reset();
    }
}

TEST_F(DeviceWindowTest, AnUnreadableIndexLineKeepsItsPlaceAsAPlaceholderRow) {
    FakeClock clock;
    FakePort port(&clock);
    ScriptedDevice device(port, clock);
    device.answer("$cmd,get,fileindex*ff",
                  "$cmd,fileindex,start*ff\r\n"
                  "$cmd,file,0,FIRST.BIN,1234567,17509,21135*ff\r\n"
                  "$cmd,file,1,BROKEN.BIN,100*ff\r\n"
                  "$cmd,file,2,THIRD.BIN,1000,0,0*ff\r\n"
                  "$cmd,fileindex,end*ff\r\n");
    openWindow(true, clock, port, [](Strings& ports) {
        ports = {"COM1"};
        return 1;
    });
    click(kConnectButton);
    click(kFileListButton);
    EXPECT_EQ(column(0), (Strings{"0", "", "2"}));
    EXPECT_EQ(column(1), (Strings{"FIRST.BIN", "(unreadable entry)", "THIRD.BIN"}));
    EXPECT_EQ(column(2), (Strings{"1,234,567", "", "1,000"}));
    EXPECT_EQ(column(3), (Strings{"2014-03-05 10:20:30", "", "1980-00-00 00:00:00"}));
    EXPECT_EQ(boxes_->boxes.back(), "box49: The file information in the list is invalid!");
    EXPECT_EQ(pane(1), "Files list Getted!");
    // The placeholder cannot be chosen: deleting "everything" sends rows 2 and 0 only.
    window_->fileList()->selectAll();
    click(kDeleteButton);
    Strings deletes;
    std::copy_if(device.commands.begin(), device.commands.end(), std::back_inserter(deletes),
                 [](const std::string& c) { return c.starts_with("$cmd,delete"); });
    EXPECT_EQ(deletes, (Strings{"$cmd,delete,2*ff", "$cmd,delete,0*ff"}));
    // The window closes the port on its way out: before the port goes.
    window_.reset();
}

TEST_F(DeviceWindowTest, SelectedRowsDownloadByteIdenticalWithTheProgressReachingTheEnd) {
    startProfiler(options(), kCasts);
    openConnected();
    const size_t before = profiler_->commandLog().size();
    select({0, 2, 5});
    click(kExportButton);
    waitForDownload();
    for (int row : {0, 2, 5}) {
        const Cast& cast = kCasts[row];
        EXPECT_EQ(test::slurp(downloaded(cast.name)), cardBytes(cast.name)) << row;
    }
    EXPECT_EQ(commandsFrom(before, "$cmd,send,fileindex"),
              (Strings{"$cmd,send,fileindex,0", "$cmd,send,fileindex,2", "$cmd,send,fileindex,5"}));
    EXPECT_EQ(boxes_->boxes, (Strings{"box49: A0.BIN file receiving completed!",
                                      "box49: A2.BIN file receiving completed!",
                                      "box49: A5.BIN file receiving completed!"}));
    EXPECT_EQ(boxes_->paneAtBox,
              (Strings{"A0.BIN receive OK!", "A2.BIN receive OK!", "A5.BIN receive OK!"}));
    EXPECT_FALSE(window_->session().busy());
#ifdef QUORVANE_CAST_LIBRARY
    // Each cast kept in the working folder's library as it came.
    LibraryResult<CastLibrary> library = CastLibrary::open(defaultLibraryPath(work().string()));
    ASSERT_TRUE(library.ok()) << library.problem.en;
    const LibraryResult<std::vector<LibraryCast>> listed = library.value->list();
    ASSERT_TRUE(listed.ok());
    Strings kept;
    for (const LibraryCast& cast : *listed.value) kept.push_back(cast.record.fileName);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (Strings{"2014-03-05_102030_A0.BIN", "2014-03-05_102030_A2.BIN",
                             "2014-03-05_102030_A5.BIN"}));
#endif
}

TEST_F(DeviceWindowTest, AFileResultHasThePaneToItselfAndADamagedOneIsMarked) {
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        TearDown();
        SetUp();
        // Block 2 of every file never comes: the one-block A0.BIN is whole, A3.BIN is not.
        startProfiler(options({"mute@2"}), {kCasts[0], kCasts[3]});
        openConnected(english, kReadingMs);
        // Pane 1 at each box, with what is shown beside its text.
        Strings atBoxes;
        boxes_->onAsk = [&](const Message&) {
            const DeviceStatusBar* bar = window_->deviceStatusBar();
            atBoxes.push_back(pane(1) + (bar->progressShown() ? " +bars" : "") +
                              (bar->damageShown() ? " +damage" : ""));
            expectWholeOrElided(1);
        };
        // While the second file comes, the selection's bar counts the first one in.
        int selectionSeen = 0;
        QObject::connect(window_->deviceStatusBar()->selectionBar(), &QProgressBar::valueChanged,
                         [&](int value) { selectionSeen = std::max(selectionSeen, value); });
        select({0, 1});
        click(kExportButton);
        waitForDownload();
        ASSERT_EQ(boxes_->boxes.size(), 2u);
        // The damaged file's box carries its result text.
        const std::string damaged = boxes_->boxes[1].substr(std::string("box49: ").size());
        EXPECT_EQ(atBoxes, (Strings{english ? "A0.BIN receive OK!" : "A0.BIN文件接收完成！",
                                    damaged + " +damage"}));
        EXPECT_GT(selectionSeen, 5000);
    }
}

TEST_F(DeviceWindowTest, AWindowSystemCloseDuringALongCommandClosesTheWindowWhenItEnds) {
    struct Case {
        const char* name;
        int button;
        std::string closeFrom;  // the pane 1 text from which on the close is asked for
        Strings read;           // the boxes the person read
    };
    const Case cases[] = {
        {"Connect, while it probes", kConnectButton, "", {}},
        {"Set, once the clock is set",
         kSetButton,
         "Set device time success!",
         {"Are you sure to set the device time using the PC time?"}},
        {"Clear, while the device erases",
         kClearButton,
         " Please wait",
         {"All files will be lost!\nAre you sure to do this?"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        sim::ProfilerOptions slow = options();
        slow.device.clearMs = 3000;
        startProfiler(slow, {kCasts[0]});
        openConnected();
        window_->setPrompter(nullptr);
        const BoxReader person(kReadingMs);
        // The close button of the window's frame: the window system hands the request over
        // with the user's input.
        bool asked = false;
        const PaneWatch closer(window_->deviceStatusBar(), 1, [&](const std::string& text) {
            if (!asked && text.starts_with(c.closeFrom)) {
                asked = true;
                QWindowSystemInterface::handleCloseEvent<
                    QWindowSystemInterface::AsynchronousDelivery>(window_->windowHandle());
            }
        });
        click(c.button);
        EXPECT_TRUE(asked);
        EXPECT_FALSE(window_->isVisible());
        EXPECT_FALSE(port_.isOpen());
        Strings read;
        for (const QString& text : person.read) read.push_back(text.toStdString());
        EXPECT_EQ(read, c.read);
    }
}

TEST_F(DeviceWindowTest, EveryControlStandsClearOfTheFramesAndTitlesOfTheGroupsAroundIt) {
    const int controls[] = {kSettingsGroup,
                            kMemoryGroup,
                            kConnectButton,
                            kDensityLabel,
                            kDensityEdit,
                            kDensityUnit,
                            kLatitudeLabel,
                            kLatitudeEdit,
                            kLatitudeUnit,
                            kDepthIntervalLabel,
                            kDepthIntervalEdit,
                            kDepthIntervalUnit,
                            kSetButton,
                            kReadTimeButton,
                            kFreeMemoryLabel,
                            kFreeMemoryEdit,
                            kUsedMemoryLabel,
                            kUsedMemoryEdit,
                            kClearButton,
                            kFileList,
                            kFileListButton,
                            kExportButton,
                            kDeleteButton,
                            kRecordNavigationCheck,
                            kNavigationSourceEdit,
                            kNavigationStatus};
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        openWindow(english, clock_, port_, [](Strings&) { return -1; });
        for (int group : {kDeviceGroup, kSettingsGroup, kMemoryGroup, kFileGroup}) {
            const QWidget* box = window_->control(group);
            const QRect inside = box->contentsRect().translated(box->pos());
            const QRect title(box->pos(), QSize(box->width(), box->fontMetrics().height()));
            for (int id : controls) {
                const QRect control = window_->control(id)->geometry();
                if (id != group && box->geometry().contains(control.center())) {
                    EXPECT_TRUE(inside.contains(control)) << group << " holds " << id;
                    EXPECT_FALSE(title.intersects(control)) << group << " holds " << id;
                }
            }
        }
        window_.reset();
    }
}

// Each box the download worker waits on, answered after a person's second and a half: the
// window keeps running its timers meanwhile and must never wait for the worker inside the box.
TEST_F(DeviceWindowTest, EveryBoxOfTheDownloadMayBeAnsweredLate) {
    struct Case {
        const char* name;
        std::vector<std::string> faults;
        std::vector<int> rows;
        bool dataIsAFile;
        Strings boxes;
    };
    const Case cases[] = {
        {"no selection", {}, {}, false, {"box48: No file is selected!"}},
        {"whole file", {}, {0}, false, {"box49: A0.BIN file receiving completed!"}},
        {"damaged file",
         {"mute@2"},
         {1},
         false,
         {"box49: A1.BIN received with 1 of 3 blocks missing (written as zeros)"}},
        {"file not made",
         {},
         {0, 4},
         true,
         {"box49: Failed to create the file for data exporting",
          "box49: Failed to create the file for data exporting"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        startProfiler(options(c.faults), kCasts);
        openConnected();
        if (c.dataIsAFile) {
            std::ofstream(work() / "Data") << "not a folder";
        }
        boxes_->lateMs = 1500;
        select(c.rows);
        click(kExportButton);
        waitForDownload();
        EXPECT_EQ(boxes_->boxes, c.boxes);
        EXPECT_FALSE(window_->session().busy());
        // The window still answers: its next command runs.
        boxes_->lateMs = 0;
        click(kFileListButton);
        EXPECT_EQ(pane(1), "Files list Getted!");
        window_.reset();
    }
}

TEST_F(DeviceWindowTest, WhileADownloadRunsEveryDeviceButtonOnlyShowsTheBusyBox) {
    sim::ProfilerOptions paced = options();
    paced.baud = 921600;
    startProfiler(paced, {kLargeCast});
    openConnected();
    const size_t before = profiler_->commandLog().size();
    select({0});
    click(kExportButton);
    ASSERT_TRUE(window_->session().busy());
    for (int id : {kConnectButton, kFileListButton, kExportButton, kDeleteButton, kSetButton,
                   kReadTimeButton, kClearButton}) {
        click(id);
    }
    waitForDownload();
    const std::string busy = "box49: The data processing is running, please try again later!";
    EXPECT_EQ(boxes_->boxes, (Strings{busy, busy, busy, busy, busy, busy, busy,
                                      "box49: BIG.BIN file receiving completed!"}));
    for (const std::string& c : commandsFrom(before)) {
        EXPECT_TRUE(c.starts_with("$cmd,send,")) << c;
    }
    EXPECT_EQ(test::slurp(downloaded(kLargeCast.name)), cardBytes(kLargeCast.name));
}

TEST_F(DeviceWindowTest, ClearWaitsOutTheSlowEraseWithTheWindowLive) {
    sim::ProfilerOptions slow = options();
    slow.device.clearMs = 1500;
    startProfiler(slow, {kCasts[0], kCasts[1]});
    openConnected();
    // Timers run while the window thread waits for the device: the pane animates.
    Strings seen;
    const PaneWatch watch(window_->deviceStatusBar(), 1,
                          [&](const std::string& text) { seen.push_back(text); });
    click(kClearButton);
    // Which frame shows first depends on where in its second the erase began.
    EXPECT_NE(std::find_if(seen.begin(), seen.end(),
                           [](const std::string& s) { return s.starts_with(" Please wait"); }),
              seen.end());
    EXPECT_EQ(boxes_->boxes, (Strings{"box49: All files will be lost!\nAre you sure to do this?",
                                      "box64: Clear files successfully!"}));
    EXPECT_EQ(window_->fileList()->rowCount(), 0);
    EXPECT_EQ(field(kFreeMemoryEdit), "7.359 GB");
    EXPECT_EQ(field(kUsedMemoryEdit), "0.000 KB");
    EXPECT_TRUE(sim::CastStore(card().string()).list().empty());
}

TEST_F(DeviceWindowTest, SetChecksTheFieldsThenSendsClockAndSettings) {
    struct Case {
        const char *density, *latitude, *interval;
        Strings boxes;
        Strings sent;  // set-commands the device received
    };
    const Case cases[] = {
        {"1.02",
         "-12.5",
         " 0.25 ",
         {"box36: Are you sure to set the device time using the PC time?",
          "box64: Setting Successfully!"},
         {"$cmd,set,utctime", "$cmd,set,areapara,1.020000,-12.500000",
          "$cmd,set,depthscale,0.250000"}},
        {"1,02", "30", "0.5", {"box48: Please enter a number."}, {}},
        {"", "30", "0.5", {"box48: Please enter a number."}, {}},
    };
    startProfiler(options(), {kCasts[0]});
    openConnected();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.density);
        boxes_->boxes.clear();
        const size_t before = profiler_->commandLog().size();
        setField(kDensityEdit, c.density);
        setField(kLatitudeEdit, c.latitude);
        setField(kDepthIntervalEdit, c.interval);
        click(kSetButton);
        EXPECT_EQ(boxes_->boxes, c.boxes);
        Strings sent;
        for (const std::string& command : commandsFrom(before)) {
            sent.push_back(command.starts_with("$cmd,set,utctime") ? "$cmd,set,utctime" : command);
        }
        EXPECT_EQ(sent, c.sent);
    }
    boxes_->boxes.clear();
    click(kReadTimeButton);
    ASSERT_EQ(boxes_->boxes.size(), 1u);
    EXPECT_EQ(boxes_->boxes[0], "box65: Current time:" + pane(1));
}

TEST_F(DeviceWindowTest, AHangUpLeavesTheWindowUsable) {
    // During a command: the line is gone when File list writes its request.
    startProfiler(options(), {kCasts[0]});
    openConnected();
    profiler_->stop();
    click(kFileListButton);
    EXPECT_EQ(boxes_->boxes,
              Strings{"box48: Device is disconnected. Please reconnect the device!"});
    EXPECT_EQ(pane(1), "Device is disconnected.Reconnect!");
    EXPECT_EQ(window_->windowTitle(), "QuorvaneDevice");
    EXPECT_EQ(window_->fileList()->rowCount(), 0);
    EXPECT_EQ(field(kDensityEdit), "");
    EXPECT_FALSE(window_->session().connected());
    window_.reset();
    TearDown();
    SetUp();

    // During a download: the line dies in the fifth frame; the partial file stays.
    startProfiler(options({"hangup@5:never"}), {kLargeCast});
    openConnected();
    select({0});
    click(kExportButton);
    waitForDownload();
    EXPECT_EQ(boxes_->boxes,
              (Strings{"box49: Reading serial port failed when exporting file, please check the "
                       "connection!",
                       "box49: Device connection failed, please reconnect the device!!"}));
    EXPECT_EQ(test::slurp(incomplete(kLargeCast.name)),
              cardBytes(kLargeCast.name).substr(0, 4 * 512));
    EXPECT_FALSE(window_->session().busy());
    boxes_->boxes.clear();
    click(kConnectButton);
    EXPECT_EQ(boxes_->boxes.back(), "box48: Device Connection Failed!");
}

// The ship's navigation recorded from a serial line beside the device: every fix into the day's
// log and the count shown; a source that cannot be read is refused in a box (read late); the
// line pulled out ends the recording and says so.
TEST_F(DeviceWindowTest, NavigationIsRecordedFromASerialLineWhileTheWindowIsOpen) {
    PtyPair gps;
    ASSERT_TRUE(gps.ok());
    openWindow(true, clock_, port_, [](Strings&) { return -1; });
    auto* record = qobject_cast<QCheckBox*>(window_->control(kRecordNavigationCheck));
    ASSERT_FALSE(record->isChecked());
    EXPECT_EQ(record->text(), "Record navigation");
    boxes_->lateMs = kReadingMs;
    record->click();  // no port typed yet
    EXPECT_EQ(boxes_->boxes,
              Strings{"box48: Please enter the navigation's serial port (COM3, or COM3@9600 for "
                      "another speed) or UDP port number (10110)."});
    EXPECT_FALSE(record->isChecked());

    boxes_->lateMs = 0;
    setField(kNavigationSourceEdit, gps.slave().c_str());
    record->click();
    ASSERT_TRUE(record->isChecked());
    EXPECT_FALSE(window_->control(kNavigationSourceEdit)->isEnabled());
    sim::NavTrackOptions options;
    // Years before this PC's clock: the count comes with the warning that the clock is off.
    options.startUtcMs = 1393986000000;  // 2014-03-05 02:20:00 UTC
    const sim::NavTrack ship(options);
    for (int epoch = 0; epoch < 5; ++epoch) {
        for (const std::string& line : ship.sentences(epoch)) ASSERT_TRUE(gps.send(line));
    }
    const auto* status = qobject_cast<QLabel*>(window_->control(kNavigationStatus));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return status->toolTip().startsWith("Navigation: 5 fixes  the PC's clock is +");
    })) << status->toolTip().toStdString();
    EXPECT_EQ(status->styleSheet(), "color: #c00000");
    std::istringstream log(test::slurp(work() / "Data" / "navigation-2014-03-05.log"));
    Strings lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[1].starts_with("2014-03-05T02:20:00.000Z 22.28550000 114.15770000 1 GPGGA"))
        << lines[1];

    gps.closeMaster();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !record->isChecked(); }));
    EXPECT_EQ(status->toolTip(), "Navigation stopped: the line hung up");
    EXPECT_TRUE(status->text().endsWith(QChar(0x2026))) << status->text().toStdString();
    EXPECT_TRUE(window_->control(kNavigationSourceEdit)->isEnabled());
    EXPECT_EQ(boxes_->boxes.size(), 1u);
}

TEST_F(DeviceWindowTest, ClosingDuringADownloadEndsItAndKeepsThePartialFile) {
    struct Case {
        const char* name;
        bool inCompletionBox;  // else while blocks arrive
    };
    for (const Case& c : {Case{"while blocks arrive", false}, Case{"in a worker's box", true}}) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        sim::ProfilerOptions paced = options();
        paced.baud = 921600;
        const Cast small{"ZZ.BIN", 100};
        startProfiler(paced, {kLargeCast, small});
        openConnected();
        // Row 0 is BIG.BIN, row 1 ZZ.BIN.
        select({0, 1});
        if (c.inCompletionBox) {
            boxes_->onAsk = [&](const Message&) { window_->close(); };
        }
        click(kExportButton);
        if (!c.inCompletionBox) {
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return downloadedSize(kLargeCast.name) >= 2048; }, 30000));
            window_->close();
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->isVisible(); }, 30000));
        }
        EXPECT_FALSE(window_->isVisible());
        EXPECT_FALSE(window_->session().downloadRunning());
        EXPECT_FALSE(window_->session().busy());
        EXPECT_FALSE(port_.isOpen());
        // Whole when the window closed in its completion box, else under its incomplete name.
        const std::string got = test::slurp(c.inCompletionBox ? downloaded(kLargeCast.name)
                                                              : incomplete(kLargeCast.name));
        EXPECT_EQ(got, cardBytes(kLargeCast.name).substr(0, got.size()));
        // The second file is never started.
        EXPECT_FALSE(fs::exists(incomplete(small.name)));
    }
}

// The program's start in English, its box answered, ending with what the start decided.
[[noreturn]] void startInEnglish() {
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "[%s] %s\n", qPrintable(box->windowTitle()),
                         qPrintable(box->text()));
            box->accept();
        }
    });
    char program[] = "QuorvaneDevice";
    char one[] = "1";
    char* argv[] = {program, one, nullptr};
    TemplateCaptions captions;
    std::exit(startDeviceUi(2, argv, captions) ? 0 : 3);
}

TEST(DeviceProgramStart, EnglishCaptionsComeFromDuvrelanAndWithoutItTheProgramEnds) {
    // A fresh process started in English from a folder without the library (the test
    // program's), before anything here has loaded it: the box says so under the English
    // caption. The child runs this test up to here only.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(startInEnglish(), testing::ExitedWithCode(3),
                "\\[Information\\] Unable to load resource DLL!");

    TemplateCaptions english;
    ASSERT_TRUE(english.loadLibrary("Duvrelan", QUORVANE_PROGRAM_DIR));
    EXPECT_EQ(english.text(kConnectButton, "连接设备"), "Connect device");
    EXPECT_EQ(english.text(kMainDialog, "QuorvaneDevice"), "QuorvaneDevice");
}

}  // namespace
}  // namespace quorvane
