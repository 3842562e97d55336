// Pictures of the QuorvaneFile window for the README: a synthetic cast shown raw, as its saved
// profile and as its saved average, and the cast library with the cast compared with the one
// before it, in Chinese and in English, painted offscreen.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "common/qt/app_start.h"
#ifdef QUORVANE_CAST_LIBRARY
#include "library/cast_library.h"
#include "library/sha256.h"
#include "postprocess/window/cast_library_window.h"
#endif
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

bool savePicture(QWidget& widget, const QString& png) {
    if (!widget.grab().save(png)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(png));
    return true;
}

#ifdef QUORVANE_CAST_LIBRARY
// The library of the sample folder: the sample cast, the same device's cast of the morning
// before it, when the surface had not yet warmed (a .prf of its profile: the generator's ocean
// is the same at every seed), and another device's cast between them.
bool writeSampleLibrary(const QString& folder, const std::string& raw) {
    LibraryResult<CastLibrary> library =
        CastLibrary::open(defaultLibraryPath(folder.toStdString()));
    if (!library.ok()) {
        std::fprintf(stderr, "%s\n", library.problem.en.c_str());
        return false;
    }
    CastData data;
    LoadRawFile(data, raw);
    ReduceSamples(data);
    std::vector<ProfilePoint> morning = data.fittedProfile;
    for (ProfilePoint& p : morning) p.soundVelocity -= 3.0 * std::exp(-p.depth / 12.0);
    const std::vector<ProfilePoint> harbour(
        data.fittedProfile.begin(),
        data.fittedProfile.begin() + std::ptrdiff_t(data.fittedProfile.size() / 2));
    const std::string morningFile = QDir(folder).filePath("sample-morning.prf").toStdString();
    const std::string harbourFile = QDir(folder).filePath("sample-harbour.prf").toStdString();
    SaveProfileFile(morningFile, morning);
    SaveProfileFile(harbourFile, harbour);
    struct Cast {
        char key;
        const char* name;
        const std::string& path;
        int64_t device;
        int hour;
        CastPosition position;
        const std::vector<ProfilePoint>& profile;
        int64_t records;
    };
    const int64_t records = int64_t(data.rawRecords.size());
    for (const Cast& c : {Cast{'a',
                               "sample-morning.prf",
                               morningFile,
                               12345678,
                               7,
                               {22.48213, 113.91877},
                               morning,
                               records + 212},
                          Cast{'b',
                               "sample-harbour.prf",
                               harbourFile,
                               12345679,
                               9,
                               {22.50102, 113.90311},
                               harbour,
                               records / 2},
                          Cast{'c',
                               "sample-cast.bin",
                               raw,
                               12345678,
                               14,
                               {22.48671, 113.92054},
                               data.fittedProfile,
                               records}}) {
        CastRecord record;
        // The raw cast by its own content, as the window keeps it when it shows it.
        record.contentSha256 = fileSha256(c.path).value_or(std::string(64, c.key));
        record.deviceId = c.device;
        record.fileName = c.name;
        record.filePath = c.path;
        record.localTime = {2026, 3, 5, c.hour, 20, 30};
        record.position = c.position;
        record.positionSource = "typed";
        record.recordCount = c.records;
        record.profile = c.profile;
        if (const auto recorded = library.value->recordCast(record); !recorded.ok()) {
            std::fprintf(stderr, "%s\n", recorded.problem.en.c_str());
            return false;
        }
    }
    return true;
}

// The library window with the sample cast chosen and compared, and the main window with the
// morning's cast drawn over it.
bool paintLibrary(const TemplateCaptions& captions, const QString& work, const QString& out,
                  Prompter& agree) {
    FileWindow window(captions, work.toStdString());
    window.setPrompter(&agree);
    window.show();
    window.action(fileids::kCastLibrary)->trigger();
    auto* library = window.findChild<CastLibraryWindow*>();
    library->table()->selectRow(2);
    library->compareButton()->click();
    QApplication::processEvents();
    const char* language = captions.english() ? "en" : "zh";
    return savePicture(*library,
                       QDir(out).filePath(QString("quorvanefile-library-%1.png").arg(language))) &&
           savePicture(window,
                       QDir(out).filePath(QString("quorvanefile-compare-%1.png").arg(language)));
}
#endif

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
#ifdef QUORVANE_CAST_LIBRARY
    if (!writeSampleLibrary(work, files[0])) {
        return 1;
    }
#endif
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
            if (!savePicture(window, png)) {
                return 1;
            }
        }
#ifdef QUORVANE_CAST_LIBRARY
        if (!paintLibrary(captions, work, out, agree)) {
            return 1;
        }
#endif
    }
    QDir(work).removeRecursively();
    return 0;
}
