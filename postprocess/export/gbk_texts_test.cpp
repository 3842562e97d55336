#include "postprocess/export/gbk_texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace quorvane {
namespace {

std::string toGbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no UTF-8 to GBK conversion";
        return {};
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t converted = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(converted, static_cast<size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(GbkTexts, FixedBytesAreTheGbkFormOfTheirUtf8Text) {
    for (const GbkText& text : kGbkTexts) {
        EXPECT_EQ(toGbk(text.utf8), text.gbk) << text.utf8;
    }
}

}  // namespace
}  // namespace quorvane
