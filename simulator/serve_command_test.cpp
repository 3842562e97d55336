#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "common/testing/temp_dir_test.h"
#include "simulator/testing/line_client.h"

namespace quorvane::sim {
namespace {

// quorvane-sim serve as the demo starts it: a child process whose first output line is
// the port, ended by SIGTERM.
class ServeCommandTest : public test::TempDirTest {
  protected:
    void TearDown() override {
        if (out_ != nullptr) {
            ::kill(pid_, SIGKILL);
            ::pclose(out_);
        }
        TempDirTest::TearDown();
    }

    // The shell prints its own id and then becomes the program, so the id is the program's.
    void spawn(const std::string& args) {
        const std::string command = "echo $$; exec '" QUORVANE_SIM_PROGRAM "' serve " + args +
                                    " 2>'" + path("stderr.txt") + "'";
        out_ = ::popen(command.c_str(), "r");
        ASSERT_NE(out_, nullptr);
        pid_ = std::atoi(readLine().c_str());
        ASSERT_GT(pid_, 0);
    }

    // One line of output; a silent child fails the test instead of hanging it.
    std::string readLine() {
        std::string line;
        char c = 0;
        pollfd probe{::fileno(out_), POLLIN, 0};
        while (::poll(&probe, 1, 5000) > 0 && ::read(probe.fd, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // Sends the signal (none: waits for the program to end by itself); returns the exit code.
    int finish(int signal) {
        if (signal != 0) {
            ::kill(pid_, signal);
        }
        const int status = ::pclose(std::exchange(out_, nullptr));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t pid_ = -1;
    FILE* out_ = nullptr;
};

TEST_F(ServeCommandTest, ServesOnThePrintedPortUntilTerminated) {
    const std::string link = (dir_ / "profiler").string();
    spawn("--storage '" + path("card") + "' --casts 2 --baud 0 --link '" + link +
          "' --device-id 00000042 --fault stray@2");
    const std::string port = readLine();
    ASSERT_FALSE(port.empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), port);
    {
        LineClient line(port);
        EXPECT_EQ(line.exchange("$cmd,get,sysinfo*ff"), "$cmd,get,sysinfo,00000042,V1.2.0*ff\r\n");
        EXPECT_EQ(line.exchange("$cmd,get,workstate*ff"), "$cmd,msg,wakeup*ff\r\n");
    }
    EXPECT_EQ(finish(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    // The card outlives the run.
    EXPECT_TRUE(std::filesystem::exists(dir_ / "card" / "CAST0002.BIN"));
}

TEST_F(ServeCommandTest, RefusesBadSwitches) {
    for (const char* args : {"--fault checksum@0", "--baud fast"}) {
        spawn(args);
        EXPECT_EQ(finish(0), 2) << args;
    }
}

}  // namespace
}  // namespace quorvane::sim
