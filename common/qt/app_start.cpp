#include "common/qt/app_start.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <clocale>
#include <cstring>

namespace quorvane {

bool EnglishUiFromCommandLine(int argc, char** argv) {
    return argc == 2 && std::strcmp(argv[1], "1") == 0;
}

bool StartUi(int argc, char** argv, const QString& libraryName, TemplateCaptions& captions) {
    std::setlocale(LC_NUMERIC, "C");
    if (!EnglishUiFromCommandLine(argc, argv)) {
        return true;
    }
    if (captions.loadLibrary(libraryName, QCoreApplication::applicationDirPath())) {
        return true;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    "Unable to load resource DLL!", QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

}  // namespace quorvane
