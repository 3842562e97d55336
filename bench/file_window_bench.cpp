// The QuorvaneFile window on a million-record cast, offscreen, against loading and reducing the
// same cast in the core alone: opening it (list filled, chart painted once), repainting its
// chart, and the window process's peak memory.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTreeWidget>
#include <QWindow>
#include <clocale>
#include <cstring>
#include <filesystem>

#include "bench/bench_cast.h"
#include "bench/bench_figures.h"
#include "common/qt/app_start.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/cast_reduction.h"
#include "postprocess/window/chart_widget.h"
#include "postprocess/window/data_list_view.h"
#include "postprocess/window/file_window.h"
#include "postprocess/window/file_window_ids.h"

namespace quorvane::bench {
namespace {

const std::string& castFile() {
    return millionRecordCast("quorvane-window-bench");
}

class Agree : public Prompter {
  public:
    Button ask(const Message&) override { return Button::Yes; }
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A window with the cast imported, not yet shown.
struct OpenWindow {
    TemplateCaptions captions;
    Agree agree;
    FileWindow window{captions, std::filesystem::temp_directory_path().string()};

    OpenWindow() {
        window.setPrompter(&agree);
        window.fileDialog = [](const FileDialogRequest&) {
            return std::optional<FileChoice>(FileChoice{castFile(), 1});
        };
        window.action(fileids::kImportRawFile)->trigger();
        window.show();
        // Paints reach only an exposed window.
        while (!window.windowHandle()->isExposed()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
    }

    // The double-click, then the paints it asks for, as the event loop delivers them: list and
    // chart together in one pass over the window, the chart once. (Repainting each widget in
    // turn would paint the chart twice, as the list's repaint takes the chart's pending
    // update along.)
    void open() {
        PaintCounter list, chart;
        window.dataList()->viewport()->installEventFilter(&list);
        window.chart()->installEventFilter(&chart);
        QTreeWidget* files = window.fileList();
        emit files->itemDoubleClicked(files->topLevelItem(0), 0);
        while (list.paints == 0 || chart.paints == 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        window.dataList()->viewport()->removeEventFilter(&list);
        window.chart()->removeEventFilter(&chart);
    }
};

void BM_LoadAndReduce(benchmark::State& state) {
    loadAndReduceEachIteration(state, castFile());
}
BENCHMARK(BM_LoadAndReduce)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_GuiOpen(benchmark::State& state) {
    OpenWindow w;
    for (auto _ : state) {
        w.open();
    }
    state.counters["list_rows"] = double(w.window.session().dataList().rowCount());
}
BENCHMARK(BM_GuiOpen)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ChartRepaint(benchmark::State& state) {
    OpenWindow w;
    w.open();
    for (auto _ : state) {
        w.window.chart()->repaint();
    }
}
BENCHMARK(BM_ChartRepaint)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace quorvane::bench

int main(int argc, char** argv) {
    using namespace quorvane;
    quorvane::paintOffscreenUnlessChosen();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc == 2 && std::strcmp(argv[1], "--open-once") == 0) {
        bench::OpenWindow w;
        w.open();
        return w.window.session().data().fittedProfile.empty() ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    const double fileMegabytes = double(FileSizeOf(bench::castFile())) / (1024.0 * 1024.0);
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double reduce = reporter.seconds("BM_LoadAndReduce/min_time:1.000");
    const double open = reporter.seconds("BM_GuiOpen/min_time:1.000");
    const double repaint = reporter.seconds("BM_ChartRepaint/min_time:1.000");
    if (reduce > 0 && open > 0 && repaint > 0) {
        bench::printFigure("gui_open_vs_core_ratio", open / reduce);
        bench::printFigure("chart_repaint_vs_reduce_ratio", repaint / reduce, "%.4f");
    }
    bench::printFigure("gui_open_peak_rss_mb",
                       bench::childPeakRssMegabytes(argv[0], {"--open-once"}), "%.0f");
    bench::printFigure("gui_open_peak_rss_goal_mb", 3 * fileMegabytes + 80, "%.0f");
    std::filesystem::remove(bench::castFile());
    return 0;
}
