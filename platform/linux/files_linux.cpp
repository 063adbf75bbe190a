// Exclusive creation, atomic replacement, in-place streams and file
// identities of output files on Linux.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "platform/file_name.h"
#include "platform/platform.h"

namespace platform {

std::FILE* createNewFile(const std::string& fileName, int& error) {
    const int descriptor = open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        error = errno;
        close(descriptor);
        unlink(fileName.c_str());
    }
    return file;
}

int replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

namespace {

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::regular;
    if (S_ISDIR(mode)) return FileKind::folder;
    if (S_ISFIFO(mode) || S_ISCHR(mode)) return FileKind::stream;
    return FileKind::other;
}

std::string identityOf(const struct stat& info) {
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

}  // namespace

FileStatus fileStatus(const std::string& fileName) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) == 0) return {kindOf(info.st_mode), identityOf(info)};
    if (stat(folderOf(fileName).c_str(), &info) != 0) return {};
    return {FileKind::none, identityOf(info) + "/" + std::filesystem::path(fileName).filename().string()};
}

std::FILE* openStream(const std::string& fileName, int& error) {
    const int descriptor = open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        error = errno;
        return nullptr;
    }
    // Opened without truncating: a regular file that took the name since it
    // was looked at must not be written over.
    struct stat info {};
    std::FILE* file = nullptr;
    if (fstat(descriptor, &info) != 0)
        error = errno;
    else if (kindOf(info.st_mode) != FileKind::stream)
        error = EAGAIN;
    else if ((file = fdopen(descriptor, "wb")) == nullptr)
        error = errno;
    if (file == nullptr) close(descriptor);
    return file;
}

int streamAccess(const std::string& fileName) { return access(fileName.c_str(), W_OK) == 0 ? 0 : errno; }

namespace {

// What the handler removes, set before the file exists; the handler may
// read neither a std::string nor anything that allocates.
char pendingRemoval[4096];
volatile std::sig_atomic_t removalPending = 0;

constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[std::size(stopSignals)];
bool handlerInstalled[std::size(stopSignals)] = {};

extern "C" void removeAndStop(int signalNumber) {
    if (removalPending != 0) unlink(pendingRemoval);
    // The signal is blocked until the handler returns; then it meets the
    // action it would have met, which ends the process.
    for (std::size_t i = 0; i < std::size(stopSignals); ++i)
        if (stopSignals[i] == signalNumber) sigaction(signalNumber, &previousActions[i], nullptr);
    raise(signalNumber);
}

void installHandlers() {
    struct sigaction action {};
    action.sa_handler = removeAndStop;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(stopSignals); ++i) {
        struct sigaction previous {};
        // A signal the process ignores (nohup) stays ignored.
        if (handlerInstalled[i] || sigaction(stopSignals[i], nullptr, &previous) != 0 ||
            previous.sa_handler == SIG_IGN)
            continue;
        previousActions[i] = previous;
        handlerInstalled[i] = sigaction(stopSignals[i], &action, nullptr) == 0;
    }
}

void restoreHandlers() {
    for (std::size_t i = 0; i < std::size(stopSignals); ++i) {
        if (handlerInstalled[i]) sigaction(stopSignals[i], &previousActions[i], nullptr);
        handlerInstalled[i] = false;
    }
}

}  // namespace

void removeOnInterrupt(const std::string& fileName) {
    removalPending = 0;
    if (fileName.empty() || fileName.size() >= sizeof pendingRemoval) {
        restoreHandlers();
        return;
    }
    std::memcpy(pendingRemoval, fileName.c_str(), fileName.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    removalPending = 1;
    installHandlers();
}

}  // namespace platform
