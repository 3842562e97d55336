// quorvane-chart: the chart of each raw cast as QuorvaneFile saves it (File > Save current
// graphics file), without anyone at the window. The command line stays free of Qt; this tool
// has the window paint the chart offscreen, so the pictures are the window's own.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <cstdio>

#include "common/arguments.h"
#include "common/qt/app_start.h"
#include "postprocess/window/chart_widget.h"
#include "postprocess/window/file_window.h"
#include "postprocess/window/file_window_ids.h"

namespace {

using namespace quorvane;

constexpr char kUsage[] =
    "usage: quorvane-chart CAST.bin... [--out DIR] [--lang en|zh] [--png]\n"
    "  Opens each raw cast as QuorvaneFile does and saves its chart as DIR/<name>.bmp (default\n"
    "  DIR: Data under the current folder), with --png also as DIR/<name>.png.\n";

// The window's boxes on stderr, every question answered yes: nothing here is destructive.
class StderrPrompter : public Prompter {
  public:
    explicit StderrPrompter(bool english) : english_(english) {}
    Button ask(const Message& message) override {
        std::fprintf(stderr, "%s\n", message.text.pick(english_).c_str());
        return goOnAnswer(message.type);
    }

  private:
    bool english_;
};

bool chartOf(const TemplateCaptions& captions, Prompter& prompter, const QString& cast,
             const QDir& out, bool png) {
    const QString base = QFileInfo(cast).completeBaseName();
    const QString bmp = out.absoluteFilePath(base + ".bmp");
    FileWindow window(captions, QDir::currentPath().toStdString());
    window.setPrompter(&prompter);
    window.fileDialog = [&](const FileDialogRequest& request) {
        return std::optional<FileChoice>(
            FileChoice{(request.save ? bmp : QFileInfo(cast).absoluteFilePath()).toStdString(), 1});
    };
    window.show();
    QFile::remove(bmp);
    window.action(fileids::kImportRawFile)->trigger();
    QTreeWidgetItem* row = window.fileList()->topLevelItem(0);
    if (row == nullptr) {
        return false;
    }
    window.fileList()->setCurrentItem(row);
    emit window.fileList()->itemDoubleClicked(row, 0);
    window.action(fileids::kSaveGraphics)->trigger();
    // The save rides on the next paint of the shown window and is written right after it.
    QApplication::processEvents();
    window.chart()->repaint();
    QApplication::processEvents();
    if (!QFileInfo::exists(bmp)) {
        return false;
    }
    std::printf("wrote %s\n", qPrintable(bmp));
    if (png) {
        const QString pngPath = out.absoluteFilePath(base + ".png");
        if (!window.chart()->grab().save(pngPath)) {
            return false;
        }
        std::printf("wrote %s\n", qPrintable(pngPath));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    QApplication::setApplicationName("quorvane-chart");
    const Arguments args(std::vector<std::string>(argv + 1, argv + argc), {"out", "lang"}, {"png"});
    const std::string lang = args.value("lang").value_or("en");
    if (!args.error().empty() || args.positional().empty() || (lang != "en" && lang != "zh")) {
        std::fprintf(stderr, "%s%s", args.error().empty() ? "" : (args.error() + "\n").c_str(),
                     kUsage);
        return 2;
    }
    const bool english = lang == "en";
    TemplateCaptions captions;
    if (!startUi(english, "Ostrelan", captions)) {
        return 1;
    }
    const QDir out(QString::fromStdString(args.value("out").value_or("Data")));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "quorvane-chart: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    StderrPrompter prompter(english);
    int failures = 0;
    for (const std::string& cast : args.positional()) {
        if (!chartOf(captions, prompter, QString::fromStdString(cast), out, args.flag("png"))) {
            std::fprintf(stderr, "quorvane-chart: %s: no chart written\n", cast.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
