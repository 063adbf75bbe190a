#include "platform/temporary_file.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include "base/errors.h"
#include "platform/platform.h"

namespace {

// A name no other run is likely to pick; exclusive creation settles the rest.
std::string randomTemporaryName() {
    static std::mt19937_64 numbers{std::random_device{}()};
    const char digits[] = "0123456789abcdef";
    std::uint64_t value = numbers();
    std::string name = "korvex-";
    for (int digit = 0; digit < 16; ++digit, value >>= 4) name += digits[value & 15];
    return name + ".tmp";
}

}  // namespace

int writeAndClose(std::FILE* file, const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno != 0 ? errno : EIO;
    const bool closed = std::fclose(file) == 0;
    if (!written) return writeError;
    return closed ? 0 : (errno != 0 ? errno : EIO);
}

TemporaryFile::TemporaryFile(const std::string& fileName) {
    const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
    for (int attempt = 0; file_ == nullptr; ++attempt) {
        name_ = (folder / randomTemporaryName()).string();
        // Armed before the file exists, so that no moment leaves it behind.
        platform::removeOnInterrupt(name_);
        int error = 0;
        file_ = platform::createNewFile(name_, error);
        if (file_ != nullptr) break;
        platform::removeOnInterrupt("");
        if (error != EEXIST || attempt == 100) throw fileCreateError(fileName, error);
    }
}

TemporaryFile::~TemporaryFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!renamed_) std::remove(name_.c_str());
    platform::removeOnInterrupt("");
}

int TemporaryFile::replace(const std::string& target, const std::string& bytes) {
    std::FILE* file = file_;
    file_ = nullptr;
    int error = writeAndClose(file, bytes);
    if (error == 0) error = platform::replaceFile(name_, target);
    renamed_ = error == 0;
    return error;
}
