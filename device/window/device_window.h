#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "common/qt/qt_prompter.h"
#include "common/qt/template_captions.h"
#include "device/operations/connect_sequence.h"
#include "device/operations/device_session.h"
#include "device/operations/device_settings.h"
#include "device/window/live_selection.h"
#include "device/window/window_liveness.h"
#include "device/window/worker_mailbox.h"
#include "postprocess/pipeline/cast_record.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace quorvane {

class DeviceStatusBar;
class NavigationRecording;

// The program's start once its QApplication exists: the captions of the boxes shown before
// the window ("Information" or "提示"), numbers in the C locale, and the language: English
// only for a command line of exactly "1", with the captions of the Duvrelan library. False
// when that library cannot be loaded (the user has been told): the program must end.
bool startDeviceUi(int argc, char** argv, TemplateCaptions& captions);

// QuorvaneDevice's window (template 102): the controls at their dialog-unit rectangles, the
// file list, the two-pane status bar. It holds no device rules of its own: each button runs
// its operation of the device core on this thread, and the window shows what the core tells
// it. The core's notifier and message boxes are this window; calls from the download worker
// reach it through the worker mailbox, never by touching a widget from the worker.
class DeviceWindow : public QMainWindow,
                     private DeviceNotifier,
                     private FileListView,
                     private Prompter {
    Q_OBJECT
  public:
    // `port` and `clock` are the program's (or a test's); `listPorts` names the ports Connect
    // probes; downloads go under `workingFolder`.
    DeviceWindow(const TemplateCaptions& captions, SerialPort& port, Clock& clock,
                 PortLister listPorts, std::filesystem::path workingFolder,
                 QWidget* parent = nullptr);
    ~DeviceWindow() override;

    // The message boxes the window opens; tests answer them instead (null: real boxes again).
    void setPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &boxPrompter_; }

    DeviceSession& session() { return *session_; }
    QWidget* control(int id) const { return controls_.at(id); }
    QTableWidget* fileList() const { return fileList_; }
    DeviceStatusBar* deviceStatusBar() const { return statusBar_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // DeviceNotifier, on either thread.
    void setStatus(StatusPane pane, const Text& text) override;
    void setTitle(const Text& title) override;
    void refreshFields(const DeviceValues& values) override;
    void showMemory(const std::string& freeText, const std::string& usedText) override;
    void resetDeviceFields() override;
    void downloadProgress(const FileDownload& file) override;
    void downloadFinished(const FileDownload& file) override;
    // FileListView, window thread.
    void showFileRows(const std::vector<FileRow>& rows) override;
    // Prompter, on either thread.
    Button ask(const Message& message) override;

    // Runs `update` now on the window thread, or hands it over from the worker.
    void onWindowThread(std::function<void()> update, int kind = 0);
    void buildControls(QWidget* client);
    // A button's command: refused while the window closes; a close requested meanwhile is
    // carried out when it returns.
    void run(const std::function<void()>& command);
    void exportFiles();
    void setParameters();
    std::optional<DeviceSettings> readSettingsFields();
    std::vector<int> selectedRows() const;
    // The bars for the file being downloaded, window thread.
    void showProgress(const FileDownload& file);
    void watchDownload();
    void endWindow();
    // The "Record navigation" box: starts or stops recording into the working folder's log.
    void recordNavigation(bool on);
    void showNavigationStatus(const QString& text);

    const TemplateCaptions& captions_;
    const bool english_;
    LivePort port_;
    LiveClock clock_;
    PortLister listPorts_;
    WorkerMailbox mailbox_;
    LiveSelection downloadRows_;
    QtPrompter boxPrompter_;
    Prompter* prompter_ = &boxPrompter_;
    std::unique_ptr<DeviceSession> session_;

    std::map<int, QWidget*> controls_;
    QTableWidget* fileList_ = nullptr;
    QLineEdit* densityEdit_ = nullptr;
    QLineEdit* latitudeEdit_ = nullptr;
    QLineEdit* intervalEdit_ = nullptr;
    QLineEdit* freeEdit_ = nullptr;
    QLineEdit* usedEdit_ = nullptr;
    DeviceStatusBar* statusBar_ = nullptr;
    QCheckBox* recordNavigation_ = nullptr;
    QLineEdit* navigationSource_ = nullptr;
    QLabel* navigationStatus_ = nullptr;
    std::unique_ptr<NavigationRecording> navigation_;
    // The working folder's cast library, which every whole download goes into; none in a build
    // without one.
    std::unique_ptr<CastRecorder> library_;
    const std::string workingFolder_;
    // Polls a running download, to take the worker home once it has returned.
    QTimer downloadWatch_;
    int commandDepth_ = 0;
    bool closing_ = false;
};

}  // namespace quorvane
