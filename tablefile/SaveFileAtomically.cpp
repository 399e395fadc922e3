#include "SaveFileAtomically.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace glyphwright {

namespace {

FileError SystemError(const std::string& path, int error) {
    return FileError{FileError::Kind::System, path, error};
}

// Writes all of `bytes` to `fd`; false with errno set when the system refuses.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

Result<Success, FileError> WriteDirectly(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return SystemError(path, errno);
    }
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written) return SystemError(path, writeError);
    if (!closed) return SystemError(path, errno);
    return Success{};
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

Result<Success, FileError> SaveFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return FileError{FileError::Kind::NoFileName, path, 0};
    }

    // Replace what a link points to, not the link itself.
    std::string target = path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) {
            return SystemError(path, EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            return WriteDirectly(path, bytes);  // a device or pipe cannot be renamed over
        }
        if (char resolved[PATH_MAX]; ::realpath(path.c_str(), resolved) != nullptr) {
            target = resolved;
        }
        // Replacing a file we may not write to would go around its permissions.
        if (::access(target.c_str(), W_OK) != 0) {
            return SystemError(path, errno);
        }
    }

    std::string pattern = FolderOf(target) + "/.glyphwright-XXXXXX";
    std::vector<char> temporaryName(pattern.begin(), pattern.end());
    temporaryName.push_back('\0');
    const int fd = ::mkostemp(temporaryName.data(), O_CLOEXEC);
    if (fd < 0) {
        return SystemError(path, errno);
    }
    const std::string temporary(temporaryName.data());
    auto fail = [&](int error) -> Result<Success, FileError> {
        ::unlink(temporary.c_str());
        return SystemError(path, error);
    };

    // A new file gets the usual permissions; a replaced one keeps its own.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    return Success{};
}

}  // namespace glyphwright
