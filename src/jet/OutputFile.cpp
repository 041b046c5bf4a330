#include "jet/OutputFile.h"

#include "common/ConvertError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace jet {

namespace {

std::string folderOf(const std::string &path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        keep_ = true;  // not ours: never remove it
        if (errno == EEXIST)
            throw ConvertError(code::FileAccess, "Path/File access error: '" + path_ + "' already exists.");
        if (errno == ENOENT || errno == ENOTDIR)
            throw ConvertError(code::PathNotFound, "Path not found: '" + folderOf(path_) + "'");
        throw ConvertError(code::FileAccess, "Path/File access error: '" + path_ + "'");
    }
    ::close(fd);
}

OutputFile::~OutputFile() {
    if (!keep_)
        ::unlink(path_.c_str());
}

void OutputFile::sync() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw ConvertError(code::DiskError, "Disk or network error.");
}

}  // namespace jet
