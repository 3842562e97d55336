#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// SHA-256 (FIPS 180-4), fed in pieces: a cast is hashed as it is read, never held twice.
class Sha256 {
  public:
    Sha256();
    void update(const uint8_t* data, size_t size);
    void update(std::string_view bytes) {
        update(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    // The digest as 64 lowercase hex digits; the object is spent afterwards.
    std::string hexDigest();

  private:
    void compress(const uint8_t* block);

    std::array<uint32_t, 8> state_{};
    std::array<uint8_t, 64> block_{};
    size_t used_ = 0;
    uint64_t bytes_ = 0;
};

std::string sha256Hex(std::string_view bytes);

// The hash of a file's bytes, by its UTF-8 path; nothing when it cannot be read to the end.
std::optional<std::string> fileSha256(const std::string& utf8Path);

}  // namespace quorvane
