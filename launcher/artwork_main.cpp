// Writes the suite's pictures for installation: the launcher's picture zel4400.jpg, and the
// programs' icons as PNG files for desktop entries and as ICO files for their Windows resources.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "common/qt/artwork.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = quorvane::drawCastPicture(640, 320).save(out.filePath("zel4400.jpg"), "JPEG", 90);
    using quorvane::SuiteProgram;
    for (const SuiteProgram program :
         {SuiteProgram::Launcher, SuiteProgram::Device, SuiteProgram::File}) {
        const QString name = out.filePath(quorvane::programIconName(program));
        ok = quorvane::drawProgramIcon(program, 256).save(name + ".png") && ok;
        ok = quorvane::drawProgramIcon(program, 48).save(name + ".ico") && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
