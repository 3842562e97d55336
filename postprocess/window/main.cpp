#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "common/qt/app_start.h"
#include "common/qt/artwork.h"
#include "postprocess/window/file_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QuorvaneFile");
    QApplication::setWindowIcon(
        QPixmap::fromImage(quorvane::drawProgramIcon(quorvane::SuiteProgram::File, 64)));
    quorvane::TemplateCaptions captions;
    if (!quorvane::startUi(argc, argv, "Ostrelan", captions)) {
        return 1;
    }
    quorvane::FileWindow window(captions, QDir::currentPath().toStdString());
    window.show();
    quorvane::reportStartupIfChecking(window);
    return app.exec();
}
