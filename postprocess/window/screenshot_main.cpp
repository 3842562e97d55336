// Pictures of the QuorvaneFile window for the README: a synthetic cast shown raw, as its saved
// profile and as its saved average, in Chinese and in English, painted offscreen.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <clocale>
#include <cstdio>
#include <fstream>

#include "common/qt/app_start.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/cast_reduction.h"
#include "postprocess/window/file_window.h"
#include "postprocess/window/file_window_ids.h"
#include "simulator/cast_generator.h"

namespace {

using namespace quorvane;

class AgreeingPrompter : public Prompter {
  public:
    Button ask(const Message&) override { return Button::Yes; }
};

// The cast and the two files the program saves from it, in `folder`.
std::vector<std::string> writeSampleFiles(const QString& folder) {
    sim::CastOptions options;
    options.maxDepth = 60;
    options.seed = 7;
    const std::vector<uint8_t> cast = sim::generateCast(options);
    const std::string raw = QDir(folder).filePath("sample-cast.bin").toStdString();
    std::ofstream(raw, std::ios::binary)
        .write(reinterpret_cast<const char*>(cast.data()), std::streamsize(cast.size()));
    CastData data;
    LoadRawFile(data, raw);
    ReduceSamples(data);
    ComputeAverageVelocity(data, defaultAverageStartDepth(data.depthMin));
    const std::string prf = QDir(folder).filePath("sample-cast.prf").toStdString();
    const std::string asvf = QDir(folder).filePath("sample-cast.asvf").toStdString();
    SaveProfileFile(prf, data.fittedProfile);
    SaveAverageFile(asvf, data.averageProfile);
    return {raw, prf, asvf};
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR LANGUAGE_LIBRARY_DIR\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString work = QDir(out).filePath("tmp-sample");
    QDir().mkpath(work);
    const std::vector<std::string> files = writeSampleFiles(work);
    const char* kinds[] = {"raw", "prf", "asvf"};
    AgreeingPrompter agree;
    for (const bool english : {false, true}) {
        TemplateCaptions captions;
        if (english && !captions.loadLibrary("Ostrelan", QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "Ostrelan not found in %s\n", argv[2]);
            return 1;
        }
        FileWindow window(captions, work.toStdString());
        window.setPrompter(&agree);
        window.show();
        size_t next = 0;
        window.fileDialog = [&](const FileDialogRequest&) {
            return std::optional<FileChoice>(FileChoice{files[next++], 1});
        };
        for (int id :
             {fileids::kImportRawFile, fileids::kImportProfileFile, fileids::kImportAverageFile}) {
            window.action(id)->trigger();
        }
        for (int row = 0; row < 3; ++row) {
            window.fileList()->setCurrentItem(window.fileList()->topLevelItem(row));
            emit window.fileList()->itemDoubleClicked(window.fileList()->topLevelItem(row), 0);
            QApplication::processEvents();
            const QString png = QDir(out).filePath(
                QString("quorvanefile-%1-%2.png").arg(english ? "en" : "zh", kinds[row]));
            if (!window.grab().save(png)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
                return 1;
            }
            std::printf("wrote %s\n", qPrintable(png));
        }
    }
    QDir(work).removeRecursively();
    return 0;
}
