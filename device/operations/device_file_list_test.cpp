#include "device/operations/device_file_list.h"

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
        // Characters, not bytes: two- and three-byte ones stay whole.
        {"中文12", "中,文12"},
        {"1é234", "1é,234"},
    };
    for (const auto& [text, grouped] : cases) {
        EXPECT_EQ(groupDigits(text), grouped) << text;
    }
}

// The number and size are the device's text too: decoded, a stray byte shown as '_'.
TEST(FileRow, ColumnTextsOfAnIndexLineAreDecoded) {
    EXPECT_EQ(AddFileRow(*parseFileIndexLine("$cmd,file,\xB7,A,\xD6\xD0"
                                             "1234,0,0*ff")),
              (FileRow{"_", "A", "中1,234", "1980-00-00 00:00:00"}));
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
