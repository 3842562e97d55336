#include "postprocess/export/gbk_texts.h"

#include <gtest/gtest.h>

#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace quorvane {
namespace {

// The system's own codec: iconv here, code page 936 (the one survey tools read the files in)
// on Windows, where the C runtime has no iconv.
std::string toGbk(std::string_view utf8) {
#if defined(_WIN32)
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size)));
    std::string out(wide.size() * 2, '\0');
    BOOL lossy = FALSE;
    out.resize(static_cast<size_t>(
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                            static_cast<int>(out.size()), nullptr, &lossy)));
    EXPECT_FALSE(lossy) << utf8;
    return out;
#else
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
#endif
}

TEST(GbkTexts, FixedBytesAreTheGbkFormOfTheirUtf8Text) {
    for (const GbkText& text : kGbkTexts) {
        EXPECT_EQ(toGbk(text.utf8), text.gbk) << text.utf8;
    }
}

}  // namespace
}  // namespace quorvane
