// A fresh temporary directory that the test works in; removed afterwards.
#pragma once

#include <string>

class TempDir {
public:
    // Creates the directory; with `enter` set, it is also made the current
    // directory until the object dies.
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::string path_;
    std::string previous_;
};
