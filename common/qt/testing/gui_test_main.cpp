// Test main of the window programs' tests: one QApplication for all tests, offscreen unless
// the caller chose a platform (test discovery runs the program without ctest's environment).
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "common/qt/app_start.h"

int main(int argc, char** argv) {
    quorvane::paintOffscreenUnlessChosen();
    quorvane::letPoolThreadsEndAtExit();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
