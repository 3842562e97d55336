#include <QApplication>
#include <QDir>

#include "common/qt/app_start.h"
#include "postprocess/window/file_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("QuorvaneFile");
    quorvane::TemplateCaptions captions;
    if (!quorvane::StartUi(argc, argv, "Ostrelan", captions)) {
        return 1;
    }
    quorvane::FileWindow window(captions, QDir::currentPath().toStdString());
    window.show();
    return app.exec();
}
