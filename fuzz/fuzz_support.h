#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "common/utf8_text.h"

// What the fuzz targets share: a scratch file of their own and a way to report a broken
// property as a crash, which is what libFuzzer records and minimises.
namespace quorvane::fuzz {

// A file in the temporary folder named for this process, so that parallel runs never share it.
inline std::string scratchPath(std::string_view name) {
    return (std::filesystem::temp_directory_path() /
            ("quorvane-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name)))
        .string();
}

inline void writeBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

[[noreturn]] inline void fail(const char* property) {
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline void require(bool holds, const char* property) {
    if (!holds) {
        fail(property);
    }
}

inline bool isUtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length =
            static_cast<unsigned char>(text[at]) < 0x80 ? 1 : utf8SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

}  // namespace quorvane::fuzz
