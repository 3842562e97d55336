#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>

#include "common/file_io.h"
#include "common/qt/app_start.h"
#include "common/qt/artwork.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_window.h"
#include "launcher/picture_frame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvane");
    QApplication::setWindowIcon(
        QPixmap::fromImage(quorvane::drawProgramIcon(quorvane::SuiteProgram::Launcher, 64)));
    const QString current = QDir::currentPath();
    quorvane::TemplateCaptions captions;
    if (!quorvane::startUi(
            quorvane::englishFromMultiLang(quorvane::pathFromUtf8(current.toStdString())),
            "Cantrelan", captions)) {
        return 1;
    }
    quorvane::LauncherWindow window(
        captions,
        QString::fromStdString(quorvane::titleVersionSuffix(
            QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR, QUORVANE_VERSION_PATCH)),
        quorvane::launcherPicturePath(current, QCoreApplication::applicationDirPath()));
    const QImage& picture = window.pictureFrame()->picture();
    quorvane::reportStartupIfChecking(
        window,
        {picture.isNull() ? QString("picture: none")
                          : QString("picture: %1x%2").arg(picture.width()).arg(picture.height())});
    window.exec();
    return 0;
}
