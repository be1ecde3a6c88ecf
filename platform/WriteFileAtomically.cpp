#include "platform/WriteFileAtomically.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool WriteAll(int fd, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content)
{
    struct stat old {};
    const bool fExists = stat(path.c_str(), &old) == 0;
    const std::string temp = path + ".tmp." + std::to_string(getpid());
    std::remove(temp.c_str()); // left by a crash, perhaps with another mode
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, content);
    if (fExists)
        ok = fchmod(fd, old.st_mode & 07777) == 0 && ok;
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temp.c_str());
    return false;
}
