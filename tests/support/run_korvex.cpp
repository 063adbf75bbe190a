#include "tests/support/run_korvex.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

void readAvailable(int fd, std::string& into, bool& open) {
    char buffer[65536];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0)
        into.append(buffer, static_cast<std::size_t>(count));
    else if (count == 0 || errno != EINTR)
        open = false;
}

// A pseudo-terminal `columns` wide in raw mode, bytes passed as written:
// its master, and in `childSide` the side standard error goes to. That side
// is open from the start, as a master without one reads as hung up.
int openTerminal(int columns, int& childSide) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    childSide = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (childSide < 0) throw std::runtime_error("no pseudo-terminal");
    termios mode{};
    tcgetattr(childSide, &mode);
    cfmakeraw(&mode);
    tcsetattr(childSide, TCSANOW, &mode);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    ioctl(master, TIOCSWINSZ, &size);
    return master;
}

}  // namespace

KorvexRun runKorvex(const KorvexRunOptions& options) {
    int outPipe[2], errPipe[2], inPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0 || pipe(inPipe) != 0)
        throw std::runtime_error("pipe failed");
    int terminal = -1;
    const int master = options.terminalColumns > 0 ? openTerminal(options.terminalColumns, terminal) : -1;
    const std::string binary = options.binary.empty() ? KORVEX_BINARY : options.binary;

    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) _exit(126);
        dup2(outPipe[1], 1);
        dup2(master >= 0 ? terminal : errPipe[1], 2);
        if (options.closedInput)
            close(0);
        else
            dup2(inPipe[0], 0);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1], inPipe[0], inPipe[1], terminal})
            if (fd >= 0) close(fd);
        for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv = {const_cast<char*>(binary.c_str())};
        for (const std::string& arg : options.args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    close(inPipe[0]);
    // Standard error comes from the terminal; the pipe has no writer left.
    if (master >= 0) {
        close(terminal);
        close(errPipe[0]);
        errPipe[0] = master;
    }
    // A child that never reads its input must not stop the test.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    if (!options.input.empty()) {
        const ssize_t ignored = write(inPipe[1], options.input.data(), options.input.size());
        (void)ignored;
    }
    close(inPipe[1]);
    std::signal(SIGPIPE, previous);

    KorvexRun run;
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno == EINTR) continue;
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP))) readAvailable(outPipe[0], run.out, outOpen);
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP))) readAvailable(errPipe[0], run.err, errOpen);
    }
    close(outPipe[0]);
    close(errPipe[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

void copyBenchmarkFiles(const std::string& directory) {
    namespace fs = std::filesystem;
    const fs::path source = KORVEX_SOURCE_DIR;
    fs::copy(source / "Images", fs::path(directory) / "Images", fs::copy_options::recursive);
    fs::copy_file(source / "fasm_1.txt", fs::path(directory) / "fasm_1.txt");
}
