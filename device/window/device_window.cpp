#include "device/window/device_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <algorithm>
#include <iterator>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "common/qt/app_start.h"
#include "common/qt/dialog_units.h"
#include "device/operations/command_guards.h"
#include "device/operations/delete_files.h"
#include "device/operations/device_file_list.h"
#include "device/operations/download_start.h"
#include "device/operations/download_status.h"
#include "device/window/device_status_bar.h"
#include "device/window/device_window_ids.h"
#include "device/window/navigation_recording.h"
#include "device/window/real_field.h"
#include "navigation/nav_recorder.h"
#ifdef QUORVANE_CAST_LIBRARY
#include "library/library_recorder.h"
#endif

namespace quorvane {

namespace {

using namespace deviceids;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

struct FileColumn {
    const char* zh;
    const char* en;
    int width;  // pixels
};
constexpr FileColumn kFileColumns[] = {{"序号", "Num", 50},
                                       {"文件名", "Name", 110},
                                       {"文件大小:Byte", "Size : Byte", 130},
                                       {"文件日期", "Date", 155}};

const Text kUnreadableRow{"（无法读取的文件信息）", "(unreadable entry)"};

// Update kinds of which only the newest waiting one matters.
enum UpdateKind { kOrdinary = 0, kProgressText = 1, kProgressBars = 2 };

constexpr int kDownloadWatchMs = 200;

}  // namespace

bool startDeviceUi(int argc, char** argv, TemplateCaptions& captions) {
    QApplication::setApplicationName(
        englishUiFromCommandLine(argc, argv) ? QString("Information") : QString::fromUtf8("提示"));
    return startUi(argc, argv, "Duvrelan", captions);
}

DeviceWindow::DeviceWindow(const TemplateCaptions& captions, SerialPort& port, Clock& clock,
                           PortLister listPorts, std::filesystem::path workingFolder,
                           QWidget* parent)
    : QMainWindow(parent),
      captions_(captions),
      english_(captions.english()),
      port_(port),
      clock_(clock),
      listPorts_(std::move(listPorts)),
      mailbox_(clock),
      boxPrompter_(this, "QuorvaneDevice", captions.english()),
      workingFolder_(utf8OfPath(workingFolder)) {
    DeviceNotifier& notifier = *this;
    Prompter& prompter = *this;
    FileListView& view = *this;
    session_ = std::make_unique<DeviceSession>(port_, clock_, notifier, prompter, view);
    session_->setWorkingFolder(std::move(workingFolder));
#ifdef QUORVANE_CAST_LIBRARY
    // Said once in a box; the downloads go on without the library.
    library_ = std::make_unique<LibraryRecorder>(
        defaultLibraryPath(workingFolder_),
        [this](const Text& problem) {
            ask(Message{BoxType::Warning, problem});
        },
        Text{"。本窗口下载的投放不再记录。",
             ". The casts downloaded in this window are not recorded."});
#endif

    setWindowTitle(captions.text(kMainDialog, "QuorvaneDevice"));
    auto* client = new QWidget(this);
    client->setFixedSize(DialogUnits(font()).size(255, 301));
    setCentralWidget(client);
    buildControls(client);
    statusBar_ = new DeviceStatusBar(english_, this);
    setStatusBar(statusBar_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The fields start empty although the values hold their defaults.
    resetDeviceFields();

    downloadWatch_.setInterval(kDownloadWatchMs);
    connect(&downloadWatch_, &QTimer::timeout, this, &DeviceWindow::watchDownload);
}

DeviceWindow::~DeviceWindow() {
    endWindow();
    // The worker is joined and the port closed while everything they report to still exists.
    session_.reset();
}

void DeviceWindow::buildControls(QWidget* client) {
    const DialogUnits du(font());
    const auto place = [&](QWidget* w, int id, int x, int y, int width, int height) {
        w->setGeometry(du.rect(x, y, width, height));
        controls_[id] = w;
    };
    // The template was drawn for group boxes whose frame runs through the middle of the title;
    // the style here draws it below the title, across the first row of controls (the Connect
    // button sat on it, the free-memory field across it). Drawn as the template expects, every
    // control stands clear inside its frame.
    const QString groupStyle =
        QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px;"
            " margin-top: %1px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: %2px; padding: 0px 2px; }")
            .arg(fontMetrics().height() / 2)
            .arg(du.x(4));
    const auto group = [&](int id, const char* zh, int x, int y, int width, int height) {
        auto* box = new QGroupBox(captions_.text(id, zh), client);
        box->setStyleSheet(groupStyle);
        place(box, id, x, y, width, height);
    };
    const auto label = [&](int id, const char* zh, int x, int y, int width) {
        auto* l = new QLabel(captions_.text(id, zh), client);
        l->setTextFormat(Qt::PlainText);
        place(l, id, x, y, width, 8);
    };
    const auto edit = [&](int id, int x, int y, int width) {
        auto* e = new QLineEdit(client);
        place(e, id, x, y, width, 12);
        return e;
    };
    const auto button = [&](int id, const char* zh, int x, int y, int width,
                            std::function<void()> command) {
        auto* b = new QPushButton(captions_.text(id, zh), client);
        b->setAutoDefault(false);
        place(b, id, x, y, width, 12);
        connect(b, &QPushButton::clicked, this, [this, command] { run(command); });
        return b;
    };
    group(kDeviceGroup, "设备操作", 11, 1, 234, 103);
    group(kSettingsGroup, "设置", 14, 26, 118, 75);
    group(kMemoryGroup, "内存管理", 142, 43, 99, 58);
    group(kFileGroup, "文件操作", 11, 108, 234, 169);

    button(kConnectButton, "连接设备", 25, 11, 85, [this] { OnConnect(*session_, listPorts_); });
    label(kDensityLabel, "密      度：", 18, 39, 37);
    densityEdit_ = edit(kDensityEdit, 56, 37, 35);
    label(kDensityUnit, "克/立方厘米", 93, 39, 38);
    label(kLatitudeLabel, "当地纬度：", 18, 54, 37);
    latitudeEdit_ = edit(kLatitudeEdit, 56, 52, 35);
    label(kLatitudeUnit, "度", 93, 54, 38);
    label(kDepthIntervalLabel, "水深间隔：", 18, 69, 37);
    intervalEdit_ = edit(kDepthIntervalEdit, 56, 67, 35);
    label(kDepthIntervalUnit, "米", 93, 69, 38);
    button(kSetButton, "设置", 25, 84, 85, [this] { setParameters(); });

    button(kReadTimeButton, "读取时间", 149, 28, 85, [this] { OnReadTime(*session_); });
    label(kFreeMemoryLabel, "可用", 146, 54, 19);
    freeEdit_ = edit(kFreeMemoryEdit, 166, 52, 66);
    label(kUsedMemoryLabel, "已用", 146, 69, 19);
    usedEdit_ = edit(kUsedMemoryEdit, 166, 67, 66);
    for (QLineEdit* memory : {freeEdit_, usedEdit_}) {
        memory->setReadOnly(true);
        memory->setEnabled(false);
    }
    button(kClearButton, "清空", 149, 84, 85, [this] { OnClearMemory(*session_); });

    fileList_ = new QTableWidget(client);
    place(fileList_, kFileList, 13, 118, 230, 142);
    fileList_->setColumnCount(int(std::size(kFileColumns)));
    fileList_->verticalHeader()->hide();
    fileList_->setShowGrid(true);
    fileList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setWordWrap(false);
    fileList_->horizontalHeader()->setSectionsMovable(true);
    fileList_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    fileList_->horizontalHeader()->setHighlightSections(false);
    fileList_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    for (int c = 0; c < int(std::size(kFileColumns)); ++c) {
        const FileColumn& column = kFileColumns[c];
        fileList_->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromUtf8(english_ ? column.en : column.zh)));
        fileList_->setColumnWidth(c, column.width);
    }
    connect(fileList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { downloadRows_.select(selectedRows()); });

    button(kFileListButton, "文件列表", 14, 262, 37, [this] { OnFileList(*session_); });
    button(kExportButton, "导出文件", 105, 262, 37, [this] { exportFiles(); });
    button(kDeleteButton, "删除文件", 196, 262, 37, [this] {
        SelectedRows rows(session_->rows(), selectedRows());
        OnDeleteFiles(*session_, rows);
    });
    button(kClearFilesButton, "清空文件", 180, 262, 12, [this] {
        ClearAllFiles(*session_);
    })->hide();

    // Below the template: the ship's navigation recorded while the casts are taken, from a
    // serial port ("COM3", "COM3@9600") or a UDP port ("10110"). Off until asked for.
    recordNavigation_ = new QCheckBox(captions_.text(kRecordNavigationCheck, "记录导航"), client);
    place(recordNavigation_, kRecordNavigationCheck, 14, 287, 80, 10);
    navigationSource_ = new QLineEdit(client);
    navigationSource_->setPlaceholderText("COM3 / 10110");
    navigationSource_->setToolTip(
        english_ ? "The navigation's serial port (COM3, COM3@9600) or UDP port (10110)"
                 : QString::fromUtf8("导航的串口（COM3、COM3@9600）或UDP端口（10110）"));
    place(navigationSource_, kNavigationSourceEdit, 96, 286, 60, 12);
    navigationStatus_ = new QLabel(client);
    navigationStatus_->setTextFormat(Qt::PlainText);
    place(navigationStatus_, kNavigationStatus, 160, 288, 85, 8);
    connect(recordNavigation_, &QCheckBox::toggled, this, &DeviceWindow::recordNavigation);
}

void DeviceWindow::recordNavigation(bool on) {
    navigation_.reset();  // the thread joined, the last line whole
    navigationSource_->setEnabled(!on);
    if (!on) {
        return;
    }
    const auto refuse = [this](const Text& why) {
        ask(Message{BoxType::Warning, why});
        const QSignalBlocker quiet(recordNavigation_);
        recordNavigation_->setChecked(false);
        navigationSource_->setEnabled(true);
    };
    const std::optional<NavSource> source = parseNavSource(navigationSource_->text().toStdString());
    if (!source) {
        refuse(Text{"请输入导航的串口（如COM3，或COM3@9600）或UDP端口号（如10110）。",
                    "Please enter the navigation's serial port (COM3, or COM3@9600 for another "
                    "speed) or UDP port number (10110)."});
        return;
    }
    std::string problem;
    std::unique_ptr<NavInput> input = openNavInput(*source, problem);
    if (!input) {
        refuse(Text{"无法读取导航：" + problem, "Cannot read the navigation: " + problem});
        return;
    }
    navigation_ = std::make_unique<NavigationRecording>(
        std::move(input), NavRecorder::defaultPath(workingFolder_), english_);
    showNavigationStatus(english_ ? "Navigation: waiting" : QString::fromUtf8("导航：等待中"));
    connect(navigation_.get(), &NavigationRecording::progress, this,
            [this](const QString& text, bool warning) {
                showNavigationStatus(text);
                navigationStatus_->setStyleSheet(warning ? "color: #c00000" : "");
            });
    connect(navigation_.get(), &NavigationRecording::failed, this, [this](const QString& reason) {
        recordNavigation_->setChecked(false);
        showNavigationStatus(english_ ? "Navigation stopped: " + reason
                                      : QString::fromUtf8("导航已停止：") + reason);
    });
}

void DeviceWindow::showNavigationStatus(const QString& text) {
    // The whole text in the tool tip; the label shows what fits of it, never a cut glyph.
    navigationStatus_->setText(navigationStatus_->fontMetrics().elidedText(
        text, Qt::ElideRight, navigationStatus_->contentsRect().width()));
    navigationStatus_->setToolTip(text);
}

void DeviceWindow::run(const std::function<void()>& command) {
    if (closing_) {
        return;
    }
    ++commandDepth_;
    command();
    --commandDepth_;
    if (closing_ && commandDepth_ == 0) {
        close();
    }
}

void DeviceWindow::exportFiles() {
    // The rows a running worker reads stay as they are; a refused export changes nothing.
    if (!session_->busy()) {
        downloadRows_.start(session_->rows(), selectedRows());
    }
    if (OnExportFile(*session_, downloadRows_)) {
        downloadWatch_.start();
    }
}

void DeviceWindow::watchDownload() {
    // This runs inside the event loop of any box the worker has the window show; joining a
    // worker that still waits for that box's answer would wait for good.
    if (!session_->downloadReturned()) {
        return;
    }
    downloadWatch_.stop();
    session_->waitForDownload();
    // The worker has posted its last text.
    mailbox_.flush();
    statusBar_->hideProgress();
}

void DeviceWindow::setParameters() {
    // The guards come before the fields are read, as for every device button.
    if (!passesCommandGuards(*session_)) {
        return;
    }
    if (const std::optional<DeviceSettings> settings = readSettingsFields()) {
        OnSetParameters(*session_, *settings);
    }
}

std::optional<DeviceSettings> DeviceWindow::readSettingsFields() {
    DeviceSettings settings;
    const std::pair<QLineEdit*, double*> fields[] = {{densityEdit_, &settings.density},
                                                     {latitudeEdit_, &settings.latitude},
                                                     {intervalEdit_, &settings.depthInterval}};
    for (const auto& [edit, value] : fields) {
        const std::optional<double> number = parseFieldNumber(edit->text().toStdString());
        if (!number) {
            ask(kNotANumberMessage);
            edit->setFocus();
            edit->selectAll();
            return std::nullopt;
        }
        *value = *number;
    }
    return settings;
}

std::vector<int> DeviceWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : fileList_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DeviceWindow::onWindowThread(std::function<void()> update, int kind) {
    if (QThread::currentThread() == thread()) {
        update();
    } else {
        mailbox_.post(std::move(update), kind);
    }
}

void DeviceWindow::setStatus(StatusPane pane, const Text& text) {
    const bool progress = isExportProgressText(text);
    onWindowThread(
        [this, pane, progress, shown = qs(text.pick(english_))] {
            if (progress) {
                statusBar_->setProgressText(shown);
            } else {
                statusBar_->setPaneText(int(pane), shown);
            }
        },
        progress ? kProgressText : kOrdinary);
}

void DeviceWindow::setTitle(const Text& title) {
    onWindowThread([this, shown = qs(title.pick(english_))] { setWindowTitle(shown); });
}

void DeviceWindow::refreshFields(const DeviceValues& values) {
    onWindowThread([this, values] {
        densityEdit_->setText(qs(realFieldText(values.density)));
        latitudeEdit_->setText(qs(realFieldText(values.latitude)));
        intervalEdit_->setText(qs(realFieldText(values.depthInterval)));
    });
}

void DeviceWindow::showMemory(const std::string& freeText, const std::string& usedText) {
    onWindowThread([this, freeShown = qs(freeText), usedShown = qs(usedText)] {
        freeEdit_->setText(freeShown);
        usedEdit_->setText(usedShown);
    });
}

void DeviceWindow::resetDeviceFields() {
    onWindowThread([this] {
        for (QLineEdit* edit : {densityEdit_, latitudeEdit_, intervalEdit_, freeEdit_, usedEdit_}) {
            edit->clear();
        }
        fileList_->setRowCount(0);
    });
}

void DeviceWindow::downloadProgress(const FileDownload& file) {
    onWindowThread([this, file] { showProgress(file); }, kProgressBars);
}

void DeviceWindow::downloadFinished(const FileDownload& file) {
    onWindowThread([this, shown = qs(file.status.pick(english_)), damaged = file.damaged()] {
        statusBar_->showResult(shown, damaged);
    });
    // On the worker: reducing a long cast must not hold up the window. A damaged file is no cast.
    if (library_ && !file.damaged() && !file.path.empty()) {
        std::vector<Message> ignored;
        if (const std::optional<ProcessedCast> cast = castOnDisk(file.path, ignored)) {
            library_->record(*cast, {}, false);
        }
    }
}

void DeviceWindow::showProgress(const FileDownload& file) {
    // The file's place in the selection as the list shows it now: rows may be added below.
    const std::vector<int> selected = selectedRows();
    const int before =
        int(std::lower_bound(selected.begin(), selected.end(), file.row) - selected.begin());
    statusBar_->showProgress(exportProgressValue(file.bytesWritten, file.announcedSize), before,
                             std::max(int(selected.size()), before + 1));
}

void DeviceWindow::showFileRows(const std::vector<FileRow>& rows) {
    fileList_->clearSelection();
    fileList_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const FileRow& row = rows[size_t(r)];
        const QString texts[] = {qs(row.number), qs(row.name), qs(row.size), qs(row.date)};
        for (int c = 0; c < int(std::size(texts)); ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignCenter);
            if (row.placeholder) {
                // It keeps the device's numbering of the rows after it; it cannot be chosen.
                item->setFlags(Qt::ItemIsEnabled);
                item->setText(c == 1 ? qs(kUnreadableRow.pick(english_)) : QString());
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            }
            fileList_->setItem(r, c, item);
        }
    }
}

Button DeviceWindow::ask(const Message& message) {
    if (QThread::currentThread() != thread()) {
        return mailbox_.ask([this, message] { return prompter_->ask(message); }, message.type);
    }
    processWaitingEvents();
    return closing_ ? dismissedAnswer(message.type) : prompter_->ask(message);
}

void DeviceWindow::endWindow() {
    closing_ = true;
    // Whatever runs now ends at its next step: the worker at its stop flag or its next box,
    // an exchange of this thread at its next read or write.
    session_->requestStop();
    mailbox_.close();
    port_.interrupt();
    downloadWatch_.stop();
    navigation_.reset();
    for (QMessageBox* box : findChildren<QMessageBox*>()) {
        box->reject();
    }
}

void DeviceWindow::closeEvent(QCloseEvent* event) {
    endWindow();
    if (commandDepth_ > 0) {
        // The command on the stack below unwinds first; run() closes the window after it.
        event->ignore();
        return;
    }
    // Worker joined (its file closed and kept), then the port closed.
    session_->shutdown();
    event->accept();
}

}  // namespace quorvane
