// Pictures of the launcher for the README, in Chinese and in English, painted offscreen with
// the picture and the language library the build put beside the programs.
#include <QApplication>
#include <QDir>
#include <clocale>
#include <cstdio>

#include "common/qt/app_start.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_window.h"

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR PROGRAM_DIR\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString programs = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const QString version = QString::fromStdString(quorvane::titleVersionSuffix(
        QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR, QUORVANE_VERSION_PATCH));
    for (const bool english : {false, true}) {
        quorvane::TemplateCaptions captions;
        if (english && !captions.loadLibrary("Cantrelan", programs)) {
            std::fprintf(stderr, "Cantrelan not found in %s\n", argv[2]);
            return 1;
        }
        quorvane::LauncherWindow window(captions, version,
                                        quorvane::launcherPicturePath({}, programs));
        window.show();
        QApplication::processEvents();
        const QString png = QDir(out).filePath(english ? "quorvane-en.png" : "quorvane-zh.png");
        if (!window.grab().save(png)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(png));
    }
    return 0;
}
