// The output file of a conversion, created exclusively and removed again unless the conversion succeeds.
#pragma once

#include <string>

namespace jet {

// Creates `path`, which must not exist (ConvertError 75 if it does, 76 if its folder does not). The destructor
// removes the file unless keep() was called, so a failed conversion leaves nothing behind. One thread.
class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    const std::string &path() const { return path_; }
    // Flushes the file's data to the disk (ConvertError 3043 on failure).
    void sync() const;
    void keep() { keep_ = true; }

private:
    std::string path_;
    bool keep_ = false;
};

}  // namespace jet
