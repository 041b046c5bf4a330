// lotwise-mdb2sqlite IN OUT: converts the Jet file IN into the new SQLite file OUT.
//
// The program runs this in a child process under time and memory limits, because libmdb is not hardened against
// damaged files. Protocol: exit status 0 and nothing on standard error on success; on failure exactly one line
// "NUMBER<TAB>DESCRIPTION" on standard error, OUT removed, exit status 1. libmdb's own messages never reach
// standard error: they would break the one-line report. With LOTWISE_MDB2SQLITE_DEBUG set, the description of a
// file that is not read names the check that failed instead (for developers).
#include "common/ConvertError.h"
#include "jet/JetToSqlite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// Keeps the real standard error for the report and sends everything else written to fds 1 and 2 to /dev/null.
class ReportChannel {
public:
    ReportChannel() : fd_(::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3)) {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~ReportChannel() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReportChannel(const ReportChannel &) = delete;
    ReportChannel &operator=(const ReportChannel &) = delete;

    int fail(int number, const std::string &description) const {
        std::string line = std::to_string(number) + '\t' + description;
        for (char &c : line)
            if (c == '\n' || c == '\r')
                c = ' ';
        line += '\n';
        if (fd_ >= 0) {
            const ssize_t written = ::write(fd_, line.data(), line.size());
            static_cast<void>(written);  // nothing is left to tell a failure to
        }
        return 1;
    }

private:
    int fd_;
};

}  // namespace

int main(int argc, char **argv) {
    const ReportChannel report;
    if (argc != 3)
        return report.fail(jet::code::Reserved, "Usage: lotwise-mdb2sqlite IN OUT");
    const std::string in = argv[1];
    const std::string out = argv[2];
    try {
        jet::convertJetToSqlite(in, out);
        return 0;
    } catch (const jet::ConvertError &error) {
        return report.fail(error.number(), error.what());
    } catch (const std::exception &error) {  // DamagedFile, bad_alloc under the memory limit, ...
        if (std::getenv("LOTWISE_MDB2SQLITE_DEBUG"))
            return report.fail(jet::code::UnrecognizedFormat, std::string("(") + error.what() + ")");
    }
    return report.fail(jet::code::UnrecognizedFormat, "Unrecognized database format '" + in + "'.");
}
