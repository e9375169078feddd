#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace {

void ClosePipe(int fds[2]) {
    for (int i = 0; i < 2; ++i)
        if (fds[i] >= 0) close(fds[i]);
}

// Reads both pipes until both are closed, so neither can fill up and stall
// the child.
void Drain(int outFd, int errFd, std::string& out, std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* targets[2] = {&out, &err};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("poll failed");
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                targets[i]->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

TCliResult RunCli(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string program = PELLORY_CLI_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    outPipe[1] = errPipe[1] = -1;
    if (spawned != 0) {
        ClosePipe(outPipe);
        ClosePipe(errPipe);
        throw std::runtime_error("cannot start " + program);
    }

    TCliResult result;
    Drain(outPipe[0], errPipe[0], result.Out, result.Err);
    ClosePipe(outPipe);
    ClosePipe(errPipe);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void CliTest::SetUp() {
    std::string pattern = ::testing::TempDir() + "pellory-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    FFolder = pattern;
}

void CliTest::TearDown() {
    std::error_code ignored;
    if (!FFolder.empty()) std::filesystem::remove_all(FFolder, ignored);
}

std::string CliTest::SaveArchive(const TVornPlan& plan, const std::string& fileName) {
    return SaveArchive(BuildVorn(plan), fileName);
}

std::string CliTest::SaveArchive(const TBuiltVorn& vorn, const std::string& fileName) {
    const std::string path = PathOf(fileName);
    vorn.Save(path);
    return path;
}
