#include "common/file_io.h"

#include <gtest/gtest.h>

#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

using FileIo = test::TempDirTest;

// A download's file is made new or not at all: an existing cast must never be written over.
TEST_F(FileIo, ANewFileIsMadeOnceAndAnExistingOneIsLeftAsItIs) {
    const std::string name = path("测试.BIN");
    {
        FileHandle file = createNewFile(name);
        ASSERT_TRUE(file);
        ASSERT_EQ(std::fwrite("cast", 1, 4, file.get()), 4u);
        ASSERT_TRUE(finishWriting(std::move(file)));
    }
    EXPECT_FALSE(createNewFile(name));
    EXPECT_EQ(test::slurp(dir_ / pathFromUtf8("测试.BIN")), "cast");
    EXPECT_FALSE(createNewFile(path("no such folder/A.BIN")));
}

}  // namespace
}  // namespace quorvane
