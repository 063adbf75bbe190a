// The temporary file that an output is written to before it is renamed over
// the output's name.
#pragma once

#include <cstdio>
#include <string>

class TemporaryFile {
public:
    // Creates a new file in the folder of `fileName` under a short name of
    // its own ("korvex-" and 16 hex digits ".tmp"), so that an output name
    // of any valid length gets one. Until it is renamed or destroyed, an
    // interrupt or termination of the process removes it. Raises the create
    // error for `fileName`.
    explicit TemporaryFile(const std::string& fileName);
    // Removes the file unless it was renamed.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& name() const { return name_; }
    // Writes `bytes`, closes the file and renames it over `target`, in one
    // step; 0, or the errno-style reason, and then the file is removed.
    int replace(const std::string& target, const std::string& bytes);

private:
    std::string name_;
    std::FILE* file_ = nullptr;
    bool renamed_ = false;
};

// Writes and closes `file`; 0, or the errno-style reason of the failure.
int writeAndClose(std::FILE* file, const std::string& bytes);
