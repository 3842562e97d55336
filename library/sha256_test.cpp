#include "library/sha256.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

// The FIPS 180-2 examples, and the one-block and two-block edges of the padding.
TEST(Sha256Test, StandardVectors) {
    struct Case {
        std::string message;
        const char* digest;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sha256Hex(c.message), c.digest) << c.message.size() << " bytes";
    }
}

// Pieces that straddle block boundaries must hash as the whole does.
TEST(Sha256Test, PiecesHashAsTheWhole) {
    const std::string message(1000000, 'a');
    Sha256 hash;
    for (size_t at = 0; at < message.size(); at += 7) {
        hash.update(std::string_view(message).substr(at, 7));
    }
    EXPECT_EQ(hash.hexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

using FileSha256Test = test::TempDirTest;

TEST_F(FileSha256Test, AFileHashesAsItsBytes) {
    std::ofstream(path("cast.bin"), std::ios::binary) << "abc";
    EXPECT_EQ(fileSha256(path("cast.bin")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_FALSE(fileSha256(path("missing.bin")));
}

}  // namespace
}  // namespace quorvane
