#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "common/qt/qt_prompter.h"
#include "common/qt/template_captions.h"
#include "postprocess/session/post_process_session.h"
#include "postprocess/window/send_panel.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quorvane {

class CastLibraryWindow;
class ChartWidget;
class DataListModel;
class DataListView;

// QuorvaneFile's main window: the controls of the template at their dialog-unit rectangles,
// the menu, and the chart right of the data list. It holds no rules of its own: every command
// goes to the session and the window then shows what the session holds.
class FileWindow : public QMainWindow, private SessionHost {
    Q_OBJECT
  public:
    FileWindow(const TemplateCaptions& captions, std::string startDirectory,
               QWidget* parent = nullptr);
    ~FileWindow() override;

    // The message boxes and file dialogs the window opens; tests answer them instead (a null
    // prompter brings the real message boxes back).
    void setPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &boxPrompter_; }
    std::function<std::optional<FileChoice>(const FileDialogRequest&)> fileDialog;
    // Where the acquisition systems to send to are kept (UTF-8), an INI file beside the user's
    // other settings; tests keep theirs in their own folder.
    std::string sendTargetsFile;
    // The send under way or last made, while its panel is open.
    SendPanel* sendPanel() const { return sendPanel_; }

    PostProcessSession& session() { return *session_; }
    QTreeWidget* fileList() const { return fileList_; }
    DataListView* dataList() const { return dataList_; }
    ChartWidget* chart() const { return chart_; }
    QAction* action(int menuId) const { return actions_.at(menuId); }
    QWidget* control(int id) const { return controls_.at(id); }

    // Shows a file as if the user had imported it and double-clicked its row: added to the
    // file list, then opened. A file gone since is said in a box. True when it is shown.
    bool showCastFile(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    SessionHost& host() { return *this; }
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override;
    std::optional<float> askStartDepth(float proposed) override;
    std::optional<CastStamp> askCastStamp(const CastStampTexts& proposed,
                                          bool positionWanted) override;
    void repaintNow() override;

    void buildControls(QWidget* client);
    void buildMenu();
    QAction* addAction(QMenu* menu, int id, const char* zh, std::function<void()> command);
    void run(const std::function<void()>& command);
    void sendToAcquisition();
    void showSession();
    void showFileList();
    void showSettingValues();
    ControlValues controlValues() const;
    int selectionMark() const;

    const TemplateCaptions& captions_;
    const std::string startDirectory_;
    // Forwards to whichever prompter is set, so the session keeps one reference.
    class PrompterSwitch : public Prompter {
      public:
        explicit PrompterSwitch(Prompter*& target) : target_(target) {}
        Button ask(const Message& message) override { return target_->ask(message); }

      private:
        Prompter*& target_;
    };
    QtPrompter boxPrompter_;
    Prompter* prompter_ = &boxPrompter_;
    PrompterSwitch prompterSwitch_{prompter_};
    // The working folder's cast library, which the casts shown go into; before the session,
    // which records into it, so that it outlives it. None in a build without a library.
    std::unique_ptr<CastRecorder> library_;
    std::unique_ptr<PostProcessSession> session_;

    QTreeWidget* fileList_ = nullptr;
    DataListView* dataList_ = nullptr;
    DataListModel* dataModel_ = nullptr;
    ChartWidget* chart_ = nullptr;
    QCheckBox* settingsCheck_ = nullptr;
    QCheckBox* filterCheck_ = nullptr;
    QLineEdit* densityEdit_ = nullptr;
    QLineEdit* latitudeEdit_ = nullptr;
    QLineEdit* intervalEdit_ = nullptr;
    QLineEdit* filterEdit_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* exportButtons_[3] = {};
    std::map<int, QAction*> actions_;
    std::map<int, QWidget*> controls_;
    QPointer<SendPanel> sendPanel_;
    QPointer<CastLibraryWindow> libraryWindow_;
    std::vector<FileEntry> shownEntries_;
    uint64_t shownSettings_ = 0;
};

}  // namespace quorvane
