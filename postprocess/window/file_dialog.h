#pragma once

#include <QFileDialog>
#include <optional>

#include "postprocess/session/session_host.h"

namespace quorvane {

// The open and save dialogs of the window's commands, Qt's own on every platform so that they
// behave alike everywhere. The file types show the commands' descriptions as they are; a name
// typed without an extension gets the selected type's; a save asks before replacing the file
// the command will really write, in the words of Qt's own question, and leaves that question to
// a command that asks about the file itself.
class FileDialog : public QFileDialog {
    Q_OBJECT
  public:
    FileDialog(const FileDialogRequest& request, bool english, QWidget* parent);

    // The confirmed path and its file type; nothing when the dialog was cancelled.
    std::optional<FileChoice> choice() const;

  protected:
    void accept() override;

  private:
    int filterIndex() const;   // 1-based
    QString savePath() const;  // what a save writes, from the name field

    QStringList suffixes_;  // of each file type, in filter order
    FileDialogRequest request_;
};

}  // namespace quorvane
