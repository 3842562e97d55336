#pragma once

#include <QDialog>
#include <map>

#include "common/qt/qt_prompter.h"
#include "common/qt/template_captions.h"
#include "launcher/program_starter.h"

class QPushButton;

namespace quorvane {

class PictureFrame;

// The launcher's one window: two buttons that start the device program and the
// post-processing program in the interface language, and the suite's picture.
class LauncherWindow : public QDialog {
  public:
    // `versionSuffix` is appended to the caption (" V1.2.0"); `picturePath` is the picture file
    // the frame shows, empty for none.
    LauncherWindow(const TemplateCaptions& captions, const QString& versionSuffix,
                   const QString& picturePath, QWidget* parent = nullptr);

    // The box that reports a program that would not start; tests answer it instead (a null
    // prompter brings the real box back).
    void setPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &boxPrompter_; }

    QPushButton* button(int id) const { return buttons_.at(id); }
    PictureFrame* pictureFrame() const { return picture_; }

  private:
    void addButton(int id, const char* zh, QRect rect, const QString& program);

    const TemplateCaptions& captions_;
    QtPrompter boxPrompter_;
    Prompter* prompter_ = &boxPrompter_;
    std::map<int, QPushButton*> buttons_;
    PictureFrame* picture_ = nullptr;
};

// The picture file the launcher shows: "zel4400.jpg" in `currentDirectory`, where the original
// looked, or else the one installed beside the launcher; empty when neither exists.
QString launcherPicturePath(const QString& currentDirectory, const QString& launcherDirectory);

}  // namespace quorvane
