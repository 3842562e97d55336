#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/file_io.h"

#if defined(_WIN32)
#include <process.h>
#define QUORVANE_GETPID _getpid
#else
#include <unistd.h>
#define QUORVANE_GETPID getpid
#endif

namespace quorvane::test {

// A fresh folder per test, removed afterwards; test programs run in parallel, so the name
// carries the process as well as the test.
class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("quorvane_" + std::to_string(QUORVANE_GETPID()) + "_" + info->test_suite_name() +
                "_" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const {
        return utf8OfPath(dir_ / pathFromUtf8(name));
    }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::filesystem::path file = dir_ / pathFromUtf8(name);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return utf8OfPath(file);
    }

    std::filesystem::path dir_;
};

inline std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace quorvane::test
