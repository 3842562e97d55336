#include "device/operations/file_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/operations/testing/session_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

TEST(FileRow, DigitGroupingFromTheRight) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},
        {"1000", "1,000"},
        {"12345", "12,345"},
        {"1234567", "1,234,567"},
        {"abcdefg", "a,bcd,efg"},
        {"", ""},
    };
    for (const auto& [text, grouped] : cases) {
        EXPECT_EQ(groupDigits(text), grouped) << text;
    }
}

TEST(FileRow, FatDateAndTimeWords) {
    struct Case {
        int date;
        int time;
        const char* text;
    };
    const Case cases[] = {
        {17509, 21135, "2014-03-05 10:20:30"},
        {0, 0, "1980-00-00 00:00:00"},
        {65536 + 17509, 65536 * 3 + 21135, "2014-03-05 10:20:30"},  // modulo 65536
        {65535, 65535, "2107-15-31 31:63:62"},                      // no range check
        {-1, -65536, "2107-15-31 00:00:00"},                        // 16 bits of negatives too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fatDateTimeText(c.date, c.time), c.text) << c.date << " " << c.time;
    }
}

TEST(FileRow, LineFieldsAndMalformedLines) {
    EXPECT_EQ(AddFileRow("$cmd,file,0,N,1234567,17509,21135*ff"),
              (FileRow{"0", "N", "1,234,567", "2014-03-05 10:20:30"}));
    // The time field ends at the first '*' after the sixth comma; the rest is ignored.
    EXPECT_EQ(AddFileRow("$cmd,x,7,CAST.bin,100,17509,21135*junk*ff")->date, "2014-03-05 10:20:30");
    // Sizes need not be digits; the text is grouped as it stands.
    EXPECT_EQ(AddFileRow("$cmd,file,1,A,12ab,0,0*ff")->size, "1,2ab");
    const char* malformed[] = {
        "$cmd,file,0,N,100,17509*ff",       // five commas
        "$cmd,file,0,N,100,17509,21135",    // no '*' after the sixth comma
        "$cm,file,0,N,100,17509,21135*ff",  // no 'd' anywhere
        "$cmd,x,0,N,100,17509,21135*",      // the 'd' is there, but no 'f'
        "",
    };
    for (const char* line : malformed) {
        EXPECT_FALSE(AddFileRow(line)) << line;
    }
}

TEST(FileIndexRows, MalformedLineKeepsThePositionsAligned) {
    const std::string reply =
        "$cmd,fileindex,start*ff\r\n"
        "$cmd,file,1,A,100,17509,21135*ff\r\n"
        "$cmd,file,2,B,broken\r\n"
        "$cmd,file,3,C,300,17509,21135*ff\r\n"
        "$cmd,fileindex,end*ff\r\n";
    const std::optional<FileIndexRows> index = fileIndexRows(reply);
    ASSERT_TRUE(index);
    ASSERT_EQ(index->rows.size(), 3u);
    EXPECT_EQ(index->rows[0].name, "A");
    EXPECT_TRUE(index->rows[1].placeholder);
    EXPECT_EQ(index->rows[2].name, "C");  // still at the device's index 2
    EXPECT_EQ(index->unreadable, 1);
    EXPECT_TRUE(index->complete);
}

TEST(FileIndexRows, StartAndEndLinesMustBeThere) {
    const char* refused[] = {
        "$cmd,card,nofile*ff\r\n",  // one line only
        "$cmd,fileindex,begin*ff\r\n$cmd,fileindex,end*ff\r\n",
        "$cmd,fileindex,start*ff\r\n$cmd,fileindex,fin*ff\r\n",
        "$cmd,fileindex,start*ff\r\n$cmd,fileindex,end*ff\r\n$",  // '$' after the last LF
    };
    for (const char* reply : refused) {
        EXPECT_FALSE(fileIndexRows(reply)) << reply;
    }
    const auto empty = fileIndexRows("$cmd,fileindex,start*ff\r\n$cmd,fileindex,end*ff\r\n");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rows.empty());
    EXPECT_TRUE(empty->complete);
}

struct FileListRig : SessionRig {
    FileListRig() { connectDirectly(); }
};

TEST(OnFileList, RowsAndStatusTextsInOrder) {
    FileListRig rig;
    rig.device.files = {{"CAST0001.bin", std::string(1234567, 'x')}, {"B", "12345", 0, 0}};
    EXPECT_EQ(OnFileList(rig.session), FileListOutcome::Listed);
    EXPECT_EQ(rig.port.writes(), Strings{"$cmd,get,fileindex*ff"});
    EXPECT_EQ(rig.shown.events,
              (Strings{"rows: 0", "pane1: Getting files list...", "pane1: Get the list success!",
                       "rows: 2", "pane1: Files list Getted!"}));
    EXPECT_EQ(rig.session.rows(),
              (std::vector<FileRow>{{"1", "CAST0001.bin", "1,234,567", "2014-03-05 10:20:30"},
                                    {"2", "B", "5", "1980-00-00 00:00:00"}}));
}

TEST(OnFileList, OutcomesOfTheDeviceAnswers) {
    struct Case {
        const char* name;
        std::string reply;
        FileListOutcome outcome;
        Strings events;  // after "rows: 0" and "pane1: Getting files list..."
    };
    const Case cases[] = {
        {"no files",
         "$cmd,card,nofile*ff\r\n",
         FileListOutcome::NoFiles,
         {"pane1: No data in device!", "pane1: Get the list success!"}},
        {"bad start line",
         "$cmd,fileindex,begin*ff\r\n$cmd,fileindex,end*ff\r\n",
         FileListOutcome::Unrecognised,
         {"pane1: Get the list success!"}},
        {"malformed line",
         "$cmd,fileindex,start*ff\r\n$cmd,file,1,A,1,2\r\n$cmd,file,2,B,5,0,0*ff\r\n"
         "$cmd,fileindex,end*ff\r\n",
         FileListOutcome::Listed,
         {"pane1: Get the list success!", "box49: The file information in the list is invalid!",
          "rows: 2", "pane1: Files list Getted!"}},
        {"silence",
         "",
         FileListOutcome::NoReply,
         {"box49: Communication error, please try again!", "pane1: Failed to get list!"}},
    };
    for (const Case& c : cases) {
        FileListRig rig;
        rig.device.answer("$cmd,get,fileindex*ff", c.reply);
        EXPECT_EQ(OnFileList(rig.session), c.outcome) << c.name;
        Strings expected{"rows: 0", "pane1: Getting files list..."};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(rig.shown.events, expected) << c.name;
    }
}

TEST(OnFileList, AFailedWriteLosesTheLink) {
    FileListRig lost;
    lost.port.failNextWrites();
    EXPECT_EQ(OnFileList(lost.session), FileListOutcome::LinkLost);
    EXPECT_FALSE(lost.session.connected());
}

}  // namespace
}  // namespace quorvane
