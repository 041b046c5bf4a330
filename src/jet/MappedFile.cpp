#include "jet/MappedFile.h"

#include "common/ConvertError.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace jet {

MappedFile::MappedFile(const std::string &path, std::size_t size) : data_(MAP_FAILED), size_(size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        data_ = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        ::close(fd);
    }
    if (data_ == MAP_FAILED)
        throw DamagedFile("file cannot be mapped");
}

MappedFile::~MappedFile() { ::munmap(data_, size_); }

}  // namespace jet
