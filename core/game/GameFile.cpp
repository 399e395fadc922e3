#include "core/game/GameFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace glyphwright {

struct GameFile::Descriptor {
    Descriptor(int descriptor, std::string filePath, const struct stat& info)
        : fd(descriptor),
          path(std::move(filePath)),
          size(static_cast<std::uint64_t>(info.st_size)),
          device(info.st_dev),
          inode(info.st_ino) {}
    ~Descriptor() { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd;
    std::string path;
    std::uint64_t size;
    dev_t device;
    ino_t inode;
};

GameFile::GameFile(std::shared_ptr<const Descriptor> file) : file_(std::move(file)) {}

Result<GameFile, GameFileError> GameFile::Open(const std::string& path) {
    // O_NONBLOCK so that a pipe given by mistake is refused below instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return GameFileError{GameFileProblem::CannotOpen, path, errno};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return GameFileError{GameFileProblem::CannotOpen, path, error};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return GameFileError{GameFileProblem::NotAFile, path, 0};
    }
    return GameFile(std::make_shared<const Descriptor>(fd, path, info));
}

const std::string& GameFile::Path() const {
    return file_->path;
}

std::uint64_t GameFile::Size() const {
    return file_->size;
}

Result<Success, GameFileError> GameFile::CheckUnchanged() const {
    struct stat now {};
    if (::fstat(file_->fd, &now) != 0) {
        return GameFileError{GameFileProblem::CannotRead, file_->path, errno};
    }
    // A deleted file stays readable through the descriptor, but its offsets no longer mean
    // anything to the user, who can only open what the path names now.
    struct stat named {};
    if (now.st_nlink == 0 || ::stat(file_->path.c_str(), &named) != 0 ||
        named.st_dev != file_->device || named.st_ino != file_->inode) {
        return GameFileError{GameFileProblem::Vanished, file_->path, 0};
    }
    if (static_cast<std::uint64_t>(now.st_size) != file_->size) {
        return GameFileError{GameFileProblem::SizeChanged, file_->path, 0};
    }
    return Success{};
}

Result<std::size_t, GameFileError> GameFile::Read(std::uint64_t offset,
                                                  std::span<std::uint8_t> into) const {
    if (const auto unchanged = CheckUnchanged(); !unchanged) return unchanged.error();
    if (offset >= file_->size) return std::size_t{0};
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), file_->size - offset));
    std::size_t got = 0;
    while (got < want) {
        const ssize_t n =
            ::pread(file_->fd, into.data() + got, want - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return GameFileError{GameFileProblem::CannotRead, file_->path, errno};
        }
        // The end came before the recorded size: the file shrank since the check above.
        if (n == 0) return GameFileError{GameFileProblem::SizeChanged, file_->path, 0};
        got += static_cast<std::size_t>(n);
    }
    return want;
}

Result<std::vector<std::uint8_t>, GameFileError> GameFile::ReadWindow(std::uint64_t offset,
                                                                      std::size_t length) const {
    const std::uint64_t available = offset < file_->size ? file_->size - offset : 0;
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(length, available)));
    const auto read = Read(offset, bytes);
    if (!read) return read.error();
    return bytes;
}

}  // namespace glyphwright
