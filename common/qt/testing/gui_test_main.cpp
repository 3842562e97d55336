// Test main of the window programs' tests: one QApplication for all tests, offscreen unless
// the caller chose a platform (test discovery runs the program without ctest's environment).
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <clocale>
#include <filesystem>
#include <iterator>
#include <thread>

#include "common/qt/app_start.h"

namespace {

// Qt's painting hands large fills to its thread pool. Closing the application joins those
// threads, but each still releases its Qt thread data after the join returns; a leak check
// at exit that comes in between finds that data reachable from nowhere. So the program waits
// (a moment at most) until it is the only thread left.
void awaitOtherThreadsEnd() {
#ifdef __linux__
    namespace fs = std::filesystem;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::error_code error;
    while (std::distance(fs::directory_iterator("/proc/self/task", error),
                         fs::directory_iterator()) > 1 &&
           !error && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
#endif
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    int result = 0;
    {
        QApplication app(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    awaitOtherThreadsEnd();
    return result;
}
