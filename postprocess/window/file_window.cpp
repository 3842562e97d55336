#include "postprocess/window/file_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTreeWidget>
#include <filesystem>
#include <tuple>

#include "common/file_io.h"
#include "common/qt/dialog_units.h"
#include "common/strformat.h"
#include "navigation/nav_recorder.h"
#include "postprocess/export/export_messages.h"
#ifdef QUORVANE_CAST_LIBRARY
#include "library/cast_library.h"
#include "library/library_recorder.h"
#include "postprocess/window/cast_library_window.h"
#endif
#include "postprocess/window/cast_stamp_dialog.h"
#include "postprocess/window/chart_widget.h"
#include "postprocess/window/data_list_model.h"
#include "postprocess/window/data_list_view.h"
#include "postprocess/window/file_dialog.h"
#include "postprocess/window/file_window_ids.h"
#include "postprocess/window/send_dialog.h"
#include "postprocess/window/send_panel.h"
#include "postprocess/window/start_depth_dialog.h"

namespace quorvane {

namespace {

using namespace fileids;

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

constexpr double kSmallestCaptionPoints = 6;

struct FileColumn {
    const char* zh;
    int zhWidth;
    const char* en;
    int enWidth;
};
constexpr FileColumn kFileColumns[] = {{"序号", 50, "Number", 70},
                                       {"文件名", 220, "File Name", 230},
                                       {"文件类型", 180, "File Type", 150}};

// Deletes with the Delete key on the file list.
class DeleteKeyFilter : public QObject {
  public:
    DeleteKeyFilter(QObject* parent, std::function<void()> onDelete)
        : QObject(parent), onDelete_(std::move(onDelete)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            onDelete_();
            return true;
        }
        return false;
    }

  private:
    std::function<void()> onDelete_;
};

// The template's rectangles were drawn around captions in the platform's dialog font; one that
// is wider in this font ("Dens:") is drawn a little smaller rather than cut.
void fitCaption(QLabel* label) {
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > label->contentsRect().width() &&
           font.pointSizeF() > kSmallestCaptionPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    label->setFont(font);
}

}  // namespace

FileWindow::FileWindow(const TemplateCaptions& captions, std::string startDirectory,
                       QWidget* parent)
    : QMainWindow(parent),
      captions_(captions),
      startDirectory_(std::move(startDirectory)),
      boxPrompter_(this, "Quorvane", captions.english()) {
    session_ = std::make_unique<PostProcessSession>(captions.english(), prompterSwitch_, host(),
                                                    startDirectory_);
#ifdef QUORVANE_CAST_LIBRARY
    // Said once in a box; the window works on without the library.
    library_ = std::make_unique<LibraryRecorder>(
        defaultLibraryPath(startDirectory_),
        [this](const Text& problem) {
            prompter_->ask(Message{BoxType::Warning, problem});
        },
        Text{"。本窗口处理的投放不再记录。",
             ". The casts processed in this window are not recorded."});
    session_->setCastRecorder(library_.get());
#endif
    setWindowTitle(captions.text(kMainDialog, "QuorvaneFile"));
    sendTargetsFile = (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       "/Quorvane/send_targets.ini")
                          .toStdString();
    auto* client = new QWidget(this);
    const DialogUnits du(font());
    client->setFixedSize(du.size(592, 287));
    setCentralWidget(client);
    // The platform's check mark is small; a full-size one would hide the short captions that
    // the template's narrow check boxes were drawn for.
    client->setStyleSheet(
        "QCheckBox { spacing: 2px; } QCheckBox::indicator { width: 11px; height: 11px; }");
    buildControls(client);
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The data exchange at start writes every member into its edit: an empty edit would refuse
    // the filter and the exports of a profile opened before any raw cast.
    showSettingValues();
    filterEdit_->setText(qs(session_->controlValues().filterDepth));
    showSession();
}

FileWindow::~FileWindow() {
    // The widgets read the session while they go (the closing window hides the list, whose
    // header asks the model for the session's rows): they are deleted before the session is.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void FileWindow::buildControls(QWidget* client) {
    const DialogUnits du(font());
    const auto place = [&](QWidget* w, int id, int x, int y, int width, int height) {
        w->setGeometry(du.rect(x, y, width, height));
        controls_[id] = w;
    };
    const auto label = [&](int id, const char* zh, int x, int y, int width, int height) {
        auto* l = new QLabel(captions_.text(id, zh), client);
        l->setTextFormat(Qt::PlainText);
        place(l, id, x, y, width, height);
        fitCaption(l);
    };
    const auto group = [&](int id, const char* zh, int x, int y, int width, int height) {
        place(new QGroupBox(captions_.text(id, zh), client), id, x, y, width, height);
    };
    const auto edit = [&](int id, int x, int y, int width, int height) {
        auto* e = new QLineEdit(client);
        place(e, id, x, y, width, height);
        return e;
    };
    const auto button = [&](int id, const char* zh, int x, int y, int width, int height) {
        auto* b = new QPushButton(captions_.text(id, zh), client);
        b->setAutoDefault(false);
        place(b, id, x, y, width, height);
        return b;
    };
    const bool en = captions_.english();

    group(kFileGroup, "文件列表与信息", 2, 0, 240, 74);
    fileList_ = new QTreeWidget(client);
    place(fileList_, kFileList, 5, 9, 234, 48);
    fileList_->setRootIsDecorated(false);
    fileList_->setUniformRowHeights(true);
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fileList_->setColumnCount(3);
    QStringList headers;
    for (int c = 0; c < 3; ++c) {
        headers << QString::fromUtf8(en ? kFileColumns[c].en : kFileColumns[c].zh);
    }
    fileList_->setHeaderLabels(headers);
    fileList_->header()->setStretchLastSection(false);
    fileList_->header()->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 0; c < 3; ++c) {
        fileList_->setColumnWidth(c, en ? kFileColumns[c].enWidth : kFileColumns[c].zhWidth);
    }
    connect(fileList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        run([&] { session_->openFileListRow(fileList_->indexOfTopLevelItem(item)); });
    });
    fileList_->installEventFilter(new DeleteKeyFilter(
        this, [this] { run([&] { session_->deleteFileByKey(selectionMark()); }); }));

    settingsCheck_ = new QCheckBox(captions_.text(kEnableSettingsCheck, "启用"), client);
    place(settingsCheck_, kEnableSettingsCheck, 5, 61, 22, 10);
    label(kDensityLabel, "密度:", 29, 62, 17, 8);
    densityEdit_ = edit(kDensityEdit, 47, 60, 22, 12);
    label(kDensityUnit, "g/cm3", 71, 62, 21, 8);
    label(kLatitudeLabel, "纬度:", 96, 62, 18, 8);
    latitudeEdit_ = edit(kLatitudeEdit, 114, 60, 27, 12);
    label(kLatitudeUnit, "°", 143, 62, 8, 8);
    label(kDepthIntervalLabel, "水深间隔:", 154, 62, 31, 8);
    intervalEdit_ = edit(kDepthIntervalEdit, 185, 60, 22, 12);
    label(kDepthIntervalUnit, "m", 208, 62, 8, 8);
    resetButton_ = button(kResetButton, "重置", 218, 59, 21, 14);

    label(kDataListLabel, "数据列表", 6, 78, 28, 8);
    dataList_ = new DataListView(client);
    place(dataList_, kDataList, 5, 87, 237, 165);
    dataModel_ = new DataListModel(session_->dataList(), en, dataList_);
    dataList_->setModel(dataModel_);
    // A view keeps its scroll position over a reset: another file would open at the old rows.
    connect(dataModel_, &QAbstractItemModel::modelReset, dataList_,
            &QAbstractItemView::scrollToTop);
    for (int c = 0; c < 3; ++c) dataList_->setColumnWidth(c, DataListModel::columnWidth(c, en));
    dataList_->onCommit = [this](int row, int column, const QString& text) {
        session_->commitCell(size_t(row), column, text.toStdString());
        showSession();
    };

    group(kExportGroup, "导出", 2, 252, 240, 23);
    filterCheck_ = new QCheckBox(captions_.text(kFilterCheck, "水深过滤:"), client);
    place(filterCheck_, kFilterCheck, 4, 261, 39, 10);
    filterEdit_ = edit(kFilterDepthEdit, 43, 260, 24, 12);
    label(kFilterDepthUnit, "米", 70, 262, 8, 8);
    exportButtons_[0] = button(kExportRawButton, "导出原始数据", 83, 259, 50, 14);
    exportButtons_[1] = button(kExportFittingButton, "导出拟合数据", 136, 259, 50, 14);
    exportButtons_[2] = button(kExportAverageButton, "导出平均声速", 189, 259, 50, 14);

    connect(settingsCheck_, &QCheckBox::clicked, this,
            [this] { run([&] { session_->enableSettings(controlValues()); }); });
    connect(filterCheck_, &QCheckBox::clicked, this,
            [this] { run([&] { session_->filterCheck(controlValues()); }); });
    connect(resetButton_, &QPushButton::clicked, this,
            [this] { run([&] { session_->resetSettings(controlValues()); }); });
    const ExportKind kinds[] = {ExportKind::Raw, ExportKind::Fitting, ExportKind::Average};
    for (int i = 0; i < 3; ++i) {
        connect(exportButtons_[i], &QPushButton::clicked, this, [this, kind = kinds[i]] {
            run([&] { session_->exportData(kind, controlValues()); });
        });
    }

    // The chart: from 10 pixels right of the data list to the client's right edge, full height.
    chart_ = new ChartWidget(*session_, client);
    const int left = dataList_->geometry().right() + 1 + 10;
    chart_->setGeometry(left, 0, client->width() - left, client->height());
}

QAction* FileWindow::addAction(QMenu* menu, int id, const char* zh, std::function<void()> command) {
    QAction* action = menu->addAction(captions_.text(id, zh));
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    actions_[id] = action;
    return action;
}

void FileWindow::buildMenu() {
    PostProcessSession& s = *session_;
    QMenu* file = menuBar()->addMenu(captions_.text(kFilePopup, "文件"));
    addAction(file, kImportRawFile, "导入原始数据文件", [&s] { s.importRawFile(); });
    addAction(file, kImportProfileFile, "导入拟合数据文件", [&s] { s.importProfileFile(); });
    addAction(file, kImportAverageFile, "导入平均声速文件", [&s] { s.importAverageFile(); });
    file->addSeparator();
    addAction(file, kSaveProfileFile, "保存拟合数据文件", [&s] { s.saveProfileFile(); });
    addAction(file, kSaveAverageFile, "保存平均声速文件", [&s] { s.saveAverageFile(); });
    addAction(file, kSaveGraphics, "保存当前绘制图形文件", [&s] { s.saveGraphics(); });
    file->addSeparator();
    addAction(file, kDeleteSelectedFile, "删除选中文件",
              [this] { session_->deleteSelectedFile(selectionMark()); });
    file->addSeparator();
    addAction(file, kSendToAcquisition, "发送到采集系统…", [this] { sendToAcquisition(); });

    QMenu* analysis = menuBar()->addMenu(captions_.text(kAnalysisPopup, "数据分析"));
    const std::tuple<int, Curve, const char*> curves[] = {
        {kCastSvp, Curve::CastSvp, "上下声速"},
        {kCastTemp, Curve::CastTemp, "上下温度"},
        {kFittedSvp, Curve::FittedSvp, "拟合声速"},
        {kFittedTemp, Curve::FittedTemp, "拟合温度"},
        {kAverage, Curve::Average, "平均声速"}};
    for (const auto& [id, curve, zh] : curves) {
        // Checkable only to show the session's check marks, which do not follow a toggle;
        // showSession puts back whatever the action's own click changed.
        addAction(analysis, id, zh, [&s, curve = curve] {
            s.toggleCurve(curve);
        })->setCheckable(true);
    }
#ifdef QUORVANE_CAST_LIBRARY
    analysis->addSeparator();
    addAction(analysis, kCastLibrary, "投放记录…", [this] {
        if (!libraryWindow_) {
            libraryWindow_ = new CastLibraryWindow(captions_.english(), *this,
                                                   defaultLibraryPath(startDirectory_));
        }
        libraryWindow_->present();
    });
#endif
}

bool FileWindow::showCastFile(const std::string& path) {
    bool shown = false;
    int shownRow = -1;
    run([&] {
        const std::filesystem::path file = pathFromUtf8(path);
        std::error_code failed;
        if (!std::filesystem::is_regular_file(file, failed)) {
            prompter_->ask({BoxType::Warning,
                            {strformat("文件%s已不存在。", path.c_str()),
                             strformat("The file %s is no longer there.", path.c_str())}});
            return;
        }
        std::string extension = utf8OfPath(file.extension());
        if (!extension.empty())
            extension.erase(0, 1);
        session_->addFileEntry(path, extension, utf8OfPath(file.filename()));
        const std::vector<FileEntry>& entries = session_->files().entries();
        for (size_t row = 0; row < entries.size(); ++row) {
            if (entries[row].path == path) {
                session_->openFileListRow(int(row));
                shown = session_->shownPath() == path;
                shownRow = int(row);
                break;
            }
        }
    });
    // As a double-click on the row would leave it.
    if (shown)
        fileList_->setCurrentItem(fileList_->topLevelItem(shownRow));
    return shown;
}

void FileWindow::run(const std::function<void()>& command) {
    dataList_->commitEdit();
    command();
    showSession();
}

void FileWindow::showSession() {
    const PostProcessSession& s = *session_;
    const ControlStates& c = s.controls();
    setWindowTitle(qs(s.windowTitle()));
    showFileList();
    dataModel_->sync();
    if (shownSettings_ != s.settingsGeneration()) {
        showSettingValues();
    }
    const std::pair<int, MenuItemState> items[] = {
        {kSaveProfileFile, c.saveProfile}, {kCastSvp, c.castSvp},       {kCastTemp, c.castTemp},
        {kFittedSvp, c.fittedSvp},         {kFittedTemp, c.fittedTemp}, {kAverage, c.average}};
    for (const auto& [id, state] : items) {
        actions_.at(id)->setEnabled(state.enabled);
        if (actions_.at(id)->isCheckable())
            actions_.at(id)->setChecked(state.checked);
    }
    settingsCheck_->setChecked(c.settingsEnabled);
    settingsCheck_->setEnabled(c.settingsCheckEnabled);
    for (QWidget* w : {static_cast<QWidget*>(densityEdit_), static_cast<QWidget*>(latitudeEdit_),
                       static_cast<QWidget*>(intervalEdit_), static_cast<QWidget*>(resetButton_)}) {
        w->setEnabled(c.settingsEnabled);
    }
    filterCheck_->setChecked(c.filterEnabled);
    filterEdit_->setEnabled(c.filterEnabled);
    exportButtons_[0]->setEnabled(c.exportRaw);
    exportButtons_[1]->setEnabled(c.exportFitting);
    exportButtons_[2]->setEnabled(c.exportAverage);
    chart_->update();
}

void FileWindow::showSettingValues() {
    shownSettings_ = session_->settingsGeneration();
    const ControlValues values = session_->controlValues();
    densityEdit_->setText(qs(values.density));
    latitudeEdit_->setText(qs(values.latitude));
    intervalEdit_->setText(qs(values.depthInterval));
}

void FileWindow::showFileList() {
    const std::vector<FileEntry>& entries = session_->files().entries();
    if (entries == shownEntries_) {
        return;
    }
    shownEntries_ = entries;
    fileList_->clear();
    for (size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            fileList_, {QString::number(i + 1), qs(entries[i].name), qs(entries[i].typeText)});
        for (int c = 0; c < 3; ++c) item->setTextAlignment(c, Qt::AlignCenter);
    }
}

ControlValues FileWindow::controlValues() const {
    return {densityEdit_->text().toStdString(),  latitudeEdit_->text().toStdString(),
            intervalEdit_->text().toStdString(), filterEdit_->text().toStdString(),
            settingsCheck_->isChecked(),         filterCheck_->isChecked()};
}

int FileWindow::selectionMark() const {
    const QList<QTreeWidgetItem*> selected = fileList_->selectedItems();
    return selected.isEmpty() ? -1 : fileList_->indexOfTopLevelItem(selected.front());
}

std::optional<FileChoice> FileWindow::chooseFile(const FileDialogRequest& request) {
    if (fileDialog) {
        return fileDialog(request);
    }
    FileDialog dialog(request, captions_.english(), this);
    dialog.exec();
    return dialog.choice();
}

std::optional<float> FileWindow::askStartDepth(float proposed) {
    StartDepthDialog dialog(captions_, *prompter_, proposed, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.startDepth();
}

std::optional<CastStamp> FileWindow::askCastStamp(const CastStampTexts& proposed,
                                                  bool positionWanted) {
    CastStampDialog dialog(
        captions_.english(), *prompter_, proposed, positionWanted,
        [this](const FileDialogRequest& request) { return chooseFile(request); },
        utf8OfPath(pathFromUtf8(NavRecorder::defaultPath(startDirectory_)).parent_path()), this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.stamp();
}

void FileWindow::sendToAcquisition() {
    const std::vector<ProfilePoint>& fitted = session_->data().fittedProfile;
    if (fitted.empty()) {
        prompter_->ask(exportCheckMessage(ExportKind::Fitting, ExportCheck::EmptyList));
        return;
    }
    const bool english = captions_.english();
    QFile kept(QString::fromStdString(sendTargetsFile));
    std::vector<AcquisitionTarget> targets;
    if (kept.open(QIODevice::ReadOnly)) {
        targets = readTargetList(kept.readAll().toStdString());
    }
    SendTargetsDialog dialog(english, *prompter_, targets, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // What was typed is kept whether or not it was sent.
    QDir().mkpath(QFileInfo(kept).absolutePath());
    QSaveFile saved(kept.fileName());
    if (saved.open(QIODevice::WriteOnly)) {
        saved.write(QByteArray::fromStdString(targetListText(dialog.kept())));
        saved.commit();
    }
    if (!accepted) {
        return;
    }
    const std::optional<CastStamp> stamp =
        askCastStamp(proposedCastStamp(session_->shownPath()), true);
    if (!stamp) {
        return;
    }
    if (sendPanel_) {
        sendPanel_->close();
        sendPanel_->deleteLater();
    }
    sendPanel_ =
        new SendPanel(english,
                      SendRequest{dialog.chosen(), fitted,
                                  toUtc(stamp->localTime, stamp->utcOffset), stamp->position},
                      this);
    // Each outcome is kept with the cast sent, whatever the window shows by the time it comes.
    if (CastRecorder* recorder = session_->castRecorder()) {
        if (const std::optional<ProcessedCast> sent = session_->shownCast(stamp)) {
            sendPanel_->onReport = [recorder, sent = *sent](const SendReport& report) {
                recorder->record(sent, {{sentKind(report), targetText(report.target)}}, true);
            };
        }
    }
    sendPanel_->show();
}

void FileWindow::repaintNow() {
    chart_->repaint();
}

void FileWindow::closeEvent(QCloseEvent* event) {
    dataList_->commitEdit();
    session_->close();
    event->accept();
}

}  // namespace quorvane
