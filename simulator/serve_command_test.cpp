#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "simulator/line_client_test_util.h"
#include "common/testing/temp_dir_test.h"

extern char** environ;

namespace quorvane::sim {
namespace {

// quorvane-sim serve as the demo starts it: a child process whose first output line is
// the port, ended by SIGTERM.
class ServeCommandTest : public test::TempDirTest {
protected:
    void TearDown() override {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
        TempDirTest::TearDown();
    }

    void spawn(std::vector<std::string> args) {
        args.insert(args.begin(), {QUORVANE_SIM_PROGRAM, "serve"});
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, (dir_ / "stderr.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        ASSERT_EQ(posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
    }

    std::string firstLine() {
        std::string line;
        char c = 0;
        pollfd probe{out_, POLLIN, 0};
        while (::poll(&probe, 1, 5000) > 0 && ::read(out_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    int terminate() {
        ::kill(child_, SIGTERM);
        int status = 0;
        ::waitpid(child_, &status, 0);
        child_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t child_ = -1;
    int out_ = -1;
};

TEST_F(ServeCommandTest, ServesOnThePrintedPortUntilTerminated) {
    const std::string link = (dir_ / "profiler").string();
    spawn({"--storage", (dir_ / "card").string(), "--casts", "2", "--baud", "0", "--link", link,
           "--device-id", "00000042", "--fault", "stray@2"});
    const std::string port = firstLine();
    ASSERT_FALSE(port.empty());
    EXPECT_EQ(std::filesystem::read_symlink(link), port);
    {
        LineClient line(port);
        EXPECT_EQ(line.exchange("$cmd,get,sysinfo*ff"), "$cmd,get,sysinfo,00000042,V1.2.0*ff\r\n");
        EXPECT_EQ(line.exchange("$cmd,get,workstate*ff"), "$cmd,msg,wakeup*ff\r\n");
    }
    EXPECT_EQ(terminate(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    // The card outlives the run.
    EXPECT_TRUE(std::filesystem::exists(dir_ / "card" / "CAST0002.BIN"));
}

TEST_F(ServeCommandTest, RefusesBadSwitches) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--fault", "checksum@0"},
                                                 {"--fault", "nonsense:0.5"},
                                                 {"--baud", "fast"},
                                                 {"--casts"},
                                                 {"--device-id", "12,34"},
                                                 {"--frobnicate", "1"}}) {
        spawn(args);
        int status = 0;
        ::waitpid(child_, &status, 0);
        child_ = -1;
        ::close(out_);
        out_ = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args[0];
    }
}

}  // namespace
}  // namespace quorvane::sim
