#include "files/HostFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nirasim::sim {

HostKind KindOf(const std::string& hostPath)
{
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) {
        return HostKind::Missing;
    }
    return S_ISDIR(info.st_mode) ? HostKind::Folder : HostKind::File;
}

DWORD MissingPathError(const std::string& hostPath)
{
    size_t cut = hostPath.find_last_of('/');
    if (cut != std::string::npos && KindOf(hostPath.substr(0, cut)) != HostKind::Folder) {
        return ERROR_PATH_NOT_FOUND;
    }
    return ERROR_FILE_NOT_FOUND;
}

DWORD ErrorFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_GEN_FAILURE;
    }
}

bool ReadHostFile(const std::string& hostPath, std::string& contents, size_t limit)
{
    int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) <= limit;
    if (ok) {
        contents.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < contents.size()) {
            ssize_t got = read(fd, contents.data() + done, contents.size() - done);
            if (got <= 0) {
                break;
            }
            done += static_cast<size_t>(got);
        }
        contents.resize(done);
    }
    close(fd);
    return ok;
}

}  // namespace nirasim::sim
