#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
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
    // Windows refuses to delete a read-only file, and a folder that a program the test started
    // still holds for a moment after it ended: everything writable again, and a few tries.
    void TearDown() override {
        namespace fs = std::filesystem;
        std::error_code error;
        for (int attempt = 0; attempt < 50; ++attempt) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_, error)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
            }
            error.clear();
            fs::remove_all(dir_, error);
            if (!error) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "cannot remove " << dir_ << ": " << error.message();
    }

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
