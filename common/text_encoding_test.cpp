#include <gtest/gtest.h>

#include "common/gbk_text.h"
#include "common/utf8_text.h"

namespace quorvane {
namespace {

TEST(GbkText, CodePage936ToUtf8WithUnreadableBytesAsUnderscores) {
    struct Case {
        const char* gbk;
        const char* utf8;
    } const cases[] = {
        {"CAST.BIN", "CAST.BIN"},
        {"", ""},
        // 测 is B2E2 and 试 CAD4 in the code page.
        {"CAST\xb2\xe2\xca\xd4", "CAST\xe6\xb5\x8b\xe8\xaf\x95"},
        {"\x80", "\xe2\x82\xac"},  // the euro sign of code page 936
        {"\xff"
         "A",
         "_A"},           // never a lead byte
        {"A\xb2", "A_"},  // a lead byte cut off at the end
        {"\xb2\x20"
         "B",
         "_ B"},  // a lead byte whose trail is not one
        {"\xb2\xe2\xff\xca\xd4", "\xe6\xb5\x8b_\xe8\xaf\x95"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << c.gbk;
    }
}

TEST(Utf8Text, ControlCharactersAndStrayBytesAreNotPrinted) {
    struct Case {
        const char* text;
        const char* shown;
    } const cases[] = {
        {"\x1b[2J\x1b]0;x\x07N.BIN", "?[2J?]0;x?N.BIN"},
        {"a\tb\rc\nd\x7f", "a?b?c?d?"},
        {"\xc2\x9b"
         "1m",
         "?1m"},  // C1 control sequence introducer, UTF-8 form
        {"\x9b"
         "1m",
         "?1m"},                                           // the same as a bare byte
        {"\xc2\xa0\xe6\xb5\x8b", "\xc2\xa0\xe6\xb5\x8b"},  // no-break space, 测
        {"\xed\xa0\x80", "???"},                           // a surrogate is not UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(printableText(c.text), c.shown) << c.text;
    }
}

}  // namespace
}  // namespace quorvane
