#include "platform/io/WriteFileAtomically.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

mode_t CurrentUmask()
{
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The rename is only lasting once the folder is synced too.
void SyncFolder(const std::string& path)
{
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool Fail(std::string* pError, const std::string& reason)
{
    if (pError)
        *pError = reason;
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* pError)
{
    std::string target = path;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (!realpath(path.c_str(), resolved))
            return Fail(pError, std::string("link not followed: ") + std::strerror(errno));
        target = resolved;
    }
    mode_t mode = stat(target.c_str(), &st) == 0 ? st.st_mode & 07777 : 0666 & ~CurrentUmask();
    std::string temp = target + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return Fail(pError, std::strerror(errno));
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, content) && fsync(fd) == 0;
    int error = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), target.c_str()) == 0) {
        SyncFolder(target);
        return true;
    }
    error = ok ? errno : error;
    unlink(temp.c_str());
    return Fail(pError, std::strerror(error));
}
