#pragma once
// A private temporary folder for one test, removed with everything in it at the
// end. With enter = true the test also runs inside it (the program reads
// "NX420.txt" from the current folder) and the previous folder is restored.
#include <string>

class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string previous_;
};

// Whole-file helpers for tests (8-bit, no conversion).
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
