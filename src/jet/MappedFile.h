// A file mapped read-only into memory, so that libmdb reads its pages without a system call per page.
#pragma once

#include <cstddef>
#include <string>

namespace jet {

// Owns the mapping; the bytes stay valid while it lives. A file that shrinks meanwhile makes reads of the lost
// part fail with SIGBUS, which ends the converter process like any other crash. One thread.
class MappedFile {
public:
    // Maps `size` bytes of `path`; throws DamagedFile when the file cannot be mapped.
    MappedFile(const std::string &path, std::size_t size);
    ~MappedFile();
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;

    void *data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void *data_;
    std::size_t size_;
};

}  // namespace jet
