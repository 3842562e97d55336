#include "device/protocol/file_index.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(FileIndexLine, FatDateAndTimeWords) {
    struct Case {
        const char* date;
        const char* time;
        LocalDateTime decoded;
    };
    const Case cases[] = {
        {"83045", "217743", {2014, 3, 5, 10, 20, 30}},   // modulo 65536
        {"65535", "65535", {2107, 15, 31, 31, 63, 62}},  // no range check
        {"-1", "-65536", {2107, 15, 31, 0, 0, 0}},       // 16 bits of negatives too
    };
    for (const Case& c : cases) {
        const auto line =
            parseFileIndexLine(std::string("$cmd,file,0,N,1,") + c.date + "," + c.time + "*ff");
        ASSERT_TRUE(line) << c.date;
        EXPECT_EQ(fatDateTime(line->dateWord, line->timeWord), c.decoded)
            << c.date << " " << c.time;
    }
}

TEST(FileIndexLine, LineFieldsAndMalformedLines) {
    // The time field ends at the first '*' after the sixth comma; the rest is ignored.
    EXPECT_EQ(parseFileIndexLine("$cmd,x,7,CAST.bin,100,17509,21135*junk*ff"),
              (FileIndexLine{"7", "CAST.bin", "100", 17509, 21135}));
    const char* malformed[] = {
        "$cmd,file,0,N,100,17509*ff",       // five commas
        "$cmd,file,0,N,100,17509,21135",    // no '*' after the sixth comma
        "$cm,file,0,N,100,17509,21135*ff",  // no 'd' anywhere
        "$cmd,x,0,N,100,17509,21135*",      // the 'd' is there, but no 'f'
        "",
    };
    for (const char* line : malformed) {
        EXPECT_FALSE(parseFileIndexLine(line)) << line;
    }
}

TEST(FileIndex, StartAndEndLinesMustBeThere) {
    const char* refused[] = {
        "$cmd,card,nofile*ff\r\n",  // one line only
        "$cmd,fileindex,start*ff\r\n$cmd,fileindex,fin*ff\r\n",
        "$cmd,fileindex,start*ff\r\n$cmd,fileindex,end*ff\r\n$",  // '$' after the last LF
    };
    for (const char* reply : refused) {
        EXPECT_FALSE(parseFileIndex(reply)) << reply;
    }
    const auto empty = parseFileIndex("$cmd,fileindex,start*ff\r\n$cmd,fileindex,end*ff\r\n");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->lines.empty());
    EXPECT_TRUE(empty->complete);
}

}  // namespace
}  // namespace quorvane
