// The download's console output on a terminal (a pseudo-terminal here) and without one.
#include "cli/device_console.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "device/operations/download_status.h"

namespace quorvane::cli {
namespace {

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += char(c);
    }
    return text;
}

FileDownload halfway() {
    FileDownload file;
    file.name = "\x1b[2JCAST";
    file.announcedSize = 307200;
    file.bytesWritten = 102400;
    file.elapsedMs = 2000;  // 50 KB/s: 200 KB more take 4 s
    file.blocksAskedAgain = 3;
    file.blocksZeroFilled = 1;
    return file;
}

TEST(DeviceConsole, OneLiveLinePerFileOnATerminalAndTheLastProgressTextOtherwise) {
    FileDownload done = halfway();
    done.end = FileEnd::Complete;
    done.completion = {"CAST 结果", "\x1b[2JCAST: result"};
    const Text progress = *OnExportStatus(int(ExportStatus::ExportProgress), 3333, "");

    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    std::FILE* terminal = fdopen(slave, "w");
    std::FILE* results = std::tmpfile();
    {
        DeviceConsole console(true, terminal, results);
        console.setStatus(StatusPane::Messages, progress);
        console.downloadProgress(halfway());
        console.downloadFinished(done);
    }
    std::fclose(terminal);
    // The terminal may hand its output over in pieces; with the other side closed, reading
    // ends in an error instead of blocking.
    std::string shown;
    char buffer[1024];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, size_t(got));
    }
    close(master);
    // The terminal turns the final LF into CR LF.
    EXPECT_EQ(shown,
              "\r?[2JCAST  102400 of 307200 bytes  50.0 KB/s  0:04 left  asked again 3  "
              "zero-filled 1\x1b[K\r\n");
    EXPECT_EQ(readAll(results), "?[2JCAST: result\n");

    std::FILE* log = std::tmpfile();
    std::rewind(results);
    {
        DeviceConsole console(true, log, results);
        console.setStatus(StatusPane::Messages, progress);
        console.downloadProgress(halfway());
        console.setStatus(StatusPane::Messages, {"", "CAST receive OK!"});
    }
    EXPECT_EQ(readAll(log), "Progress:33.33%\nCAST receive OK!\n");
    std::fclose(log);
    std::fclose(results);
}

}  // namespace
}  // namespace quorvane::cli
