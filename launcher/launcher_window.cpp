#include "launcher/launcher_window.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "common/qt/dialog_units.h"
#include "launcher/launcher_ids.h"
#include "launcher/picture_frame.h"

namespace quorvane {

using namespace launcherids;

LauncherWindow::LauncherWindow(const TemplateCaptions& captions, const QString& versionSuffix,
                               const QString& picturePath, QWidget* parent)
    : QDialog(parent), captions_(captions), boxPrompter_(this, "Quorvane", captions.english()) {
    setWindowTitle(captions.text(kMainDialog, "Quorvane") + versionSuffix);
    const DialogUnits du(font());
    setFixedSize(du.size(207, 157));

    addButton(kDeviceButton, "操作设备", du.rect(20, 14, 50, 14), "QuorvaneDevice");
    addButton(kFileButton, "处理文件", du.rect(20, 42, 50, 14), "QuorvaneFile");

    auto* deviceLabel =
        new QLabel(captions.text(kDeviceLabel, "点此按钮进入与设备操作相关功能界面"), this);
    deviceLabel->setGeometry(du.rect(78, 17, 119, 8));
    deviceLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* fileLabel =
        new QLabel(captions.text(kFileLabel, "点此按钮进入文件后处理相关功能界面"), this);
    fileLabel->setGeometry(du.rect(78, 45, 118, 8));
    fileLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : {deviceLabel, fileLabel}) {
        label->setTextFormat(Qt::PlainText);
    }

    picture_ = new PictureFrame(this);
    picture_->setGeometry(du.rect(20, 66, 174, 84));
    if (!picturePath.isEmpty()) {
        picture_->load(picturePath);
    }
}

void LauncherWindow::addButton(int id, const char* zh, QRect rect, const QString& program) {
    auto* button = new QPushButton(captions_.text(id, zh), this);
    button->setGeometry(rect);
    connect(button, &QPushButton::clicked, this,
            [this, program] { ProgramStarter(captions_.english(), *prompter_).start(program); });
    buttons_[id] = button;
}

QString launcherPicturePath(const QString& currentDirectory, const QString& launcherDirectory) {
    for (const QString& folder : {currentDirectory, launcherDirectory}) {
        const QString path = QDir(folder).filePath("zel4400.jpg");
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return {};
}

}  // namespace quorvane
