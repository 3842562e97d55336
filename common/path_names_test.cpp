#include "common/path_names.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(PathNames, PartsSplitAtTheLastSeparatorAndTheDots) {
    struct Case {
        std::string path, fileName, baseName, extension, beforeFirstDot;
    };
    const Case cases[] = {
        {"C:\\x\\Data\\cast.one.bin", "cast.one.bin", "cast.one", "bin", "cast"},
        {"/home/u/Data/20261206_1200_SVP001.BIN", "20261206_1200_SVP001.BIN",
         "20261206_1200_SVP001", "BIN", "20261206_1200_SVP001"},
        {"plain", "plain", "plain", "", ""},
        {"/a.dir/noext", "noext", "noext", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileNameOf(c.path), c.fileName) << c.path;
        EXPECT_EQ(baseNameOf(c.path), c.baseName) << c.path;
        EXPECT_EQ(extensionOf(c.path), c.extension) << c.path;
        EXPECT_EQ(nameBeforeFirstDot(c.fileName), c.beforeFirstDot) << c.path;
    }
}

}  // namespace
}  // namespace quorvane
