#include "storage/SaveFileAtomically.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

namespace glyphwright {

namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMostLinks = 40;
// statfs(2)'s f_type of /proc.
constexpr decltype(statfs::f_type) kProcFileSystem = 0x9fa0;

// A descriptor closed when it goes out of scope; AT_FDCWD passes through unclosed.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0 || fd_ == AT_FDCWD; }
    // 0, or the errno of a failed close.
    int Close() {
        const int fd = std::exchange(fd_, -1);
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int fd_;
};

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

// Where a path ends up once its symbolic links are followed: a folder and a name in it. The
// folder is held open, so names stay short however long the path is.
struct Place {
    Fd folder;
    std::string name;
};

// What stands behind a path reached through /proc/PID/fd/N (as /dev/stdout and /dev/fd/N are).
struct Descriptor {
    enum class Kind { None, Own, Foreign };
    Kind kind = Kind::None;
    int fd = -1;  // for Own
};

// Whether `name` in the open `folder` is a descriptor of a process: a number in a /proc/PID/fd.
Descriptor DescriptorAt(int folder, const std::string& name) {
    struct statfs system {};
    if (name.empty() || !std::all_of(name.begin(), name.end(),
                                     [](char c) { return c >= '0' && c <= '9'; }) ||
        name.size() > 9 || ::fstatfs(folder, &system) != 0 || system.f_type != kProcFileSystem) {
        return {};
    }
    struct stat at {}, own {};
    if (::fstat(folder, &at) != 0 || ::stat("/proc/self/fd", &own) != 0 ||
        at.st_dev != own.st_dev || at.st_ino != own.st_ino) {
        return {Descriptor::Kind::Foreign, -1};
    }
    return {Descriptor::Kind::Own, std::stoi(name)};
}

// Follows the links of `path` as open() would, also to a target that does not exist yet, which
// is then created there. Stops at a process's descriptor, named in `descriptor`, whose link
// leads to a file but means the open descriptor. 0, or the errno of the failure.
int Locate(std::string path, Place& place, Descriptor* descriptor = nullptr) {
    Fd from(AT_FDCWD);
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        // A trailing slash names a folder: open(O_CREAT) refuses to make a file of it.
        if (path.empty() || path.back() == '/') return EISDIR;
        const auto slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : path.substr(0, slash);
        place.name = slash == std::string::npos ? path : path.substr(slash + 1);
        place.folder = Fd(::openat(from.get(), folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!place.folder.valid()) return errno;
        if (descriptor != nullptr) {
            *descriptor = DescriptorAt(place.folder.get(), place.name);
            if (descriptor->kind != Descriptor::Kind::None) return 0;
        }

        struct stat info {};
        if (::fstatat(place.folder.get(), place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(info.st_mode)) return 0;
        std::string target(256, '\0');
        for (;;) {
            const ssize_t size =
                ::readlinkat(place.folder.get(), place.name.c_str(), target.data(), target.size());
            if (size < 0) return errno;
            if (static_cast<std::size_t>(size) < target.size()) {
                target.resize(static_cast<std::size_t>(size));
                break;
            }
            target.resize(target.size() * 2);
        }
        path = std::move(target);
        from = std::move(place.folder);  // a relative target starts at the link's own folder
    }
    return ELOOP;
}

// Makes a new file with an unused name in `folder`. 0, or the errno of the failure.
int MakeTemporary(int folder, mode_t mode, Fd& file, std::string& name) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[8] = {};
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
            return errno;
        }
        name = ".glyphwright-";
        for (const unsigned char byte : random) name += kLetters[byte % (sizeof kLetters - 1)];
        file = Fd(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (file.valid()) return 0;
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// Writes `bytes` into the temporary and renames it over `place`; on failure the temporary is
// removed and whatever stood at `place` is untouched. 0, or the errno of the failure.
int FillAndRename(Place& place, Fd& file, const std::string& temporary, std::string_view bytes) {
    int error = 0;
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0) error = errno;
    if (const int closed = file.Close(); error == 0) error = closed;
    if (error == 0 && ::renameat(place.folder.get(), temporary.c_str(), place.folder.get(),
                                 place.name.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) ::unlinkat(place.folder.get(), temporary.c_str(), 0);
    return error;
}

// A new file, whole or not at all. The kernel applies the umask to 0666 as open(O_CREAT) would.
int CreateWhole(Place& place, std::string_view bytes) {
    Fd file;
    std::string temporary;
    if (const int error = MakeTemporary(place.folder.get(), 0666, file, temporary); error != 0) {
        return error;
    }
    return FillAndRename(place, file, temporary, bytes);
}

// Replaces the regular file `existing` by renaming a complete copy over it, when that keeps its
// owner, group, mode and links. Sets `done` when it replaced the file; 0 with `done` unset means
// this folder or file does not allow it (the caller writes in place); else the errno of a failure
// that left the old file as it was.
int ReplaceWhole(Place& place, const struct stat& existing, std::string_view bytes, bool& done) {
    done = false;
    if (existing.st_nlink != 1) return 0;  // a rename would cut the other names off
    Fd file;
    std::string temporary;
    if (const int error = MakeTemporary(place.folder.get(), 0600, file, temporary); error != 0) {
        return error == EACCES || error == EPERM ? 0 : error;
    }
    // Owner before mode: a change of owner clears the set-id bits.
    struct stat made {};
    const bool same = ::fstat(file.get(), &made) == 0 &&
                      ((made.st_uid == existing.st_uid && made.st_gid == existing.st_gid) ||
                       ::fchown(file.get(), existing.st_uid, existing.st_gid) == 0) &&
                      ::fchmod(file.get(), existing.st_mode & 07777) == 0 &&
                      ::fstat(file.get(), &made) == 0 && made.st_uid == existing.st_uid &&
                      made.st_gid == existing.st_gid &&
                      (made.st_mode & 07777) == (existing.st_mode & 07777);
    if (!same) {
        file.Close();
        ::unlinkat(place.folder.get(), temporary.c_str(), 0);
        return 0;
    }
    const int error = FillAndRename(place, file, temporary, bytes);
    // A sticky folder or a security module may still forbid the rename: the file itself can be
    // written.
    if (error == EACCES || error == EPERM) return 0;
    done = error == 0;
    return error;
}

// Writes over the file's own content, as editors do where a rename cannot keep the file as it
// is. The table is complete in memory, so the file is short of its full content only if the
// system fails mid-way. 0, or the errno of the failure.
int WriteInPlace(Fd& file, std::string_view bytes) {
    int error = 0;
    if (!WriteAll(file.get(), bytes) ||
        ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(file.get()) != 0) {
        error = errno;
    }
    const int closed = file.Close();
    return error != 0 ? error : closed;
}

int Save(const std::string& path, std::string_view bytes, bool& noReader) {
    // A descriptor of this program's is written as a stream, as standard output is: opened again
    // by its name it would start at the file's beginning, and a rename would replace the file the
    // caller appends to. Another process's descriptor is written into, never replaced.
    Descriptor descriptor;
    bool stream = false;
    if (Place place; Locate(path, place, &descriptor) == 0) {
        if (descriptor.kind == Descriptor::Kind::Own) {
            return WriteAll(descriptor.fd, bytes) ? 0 : errno;
        }
        stream = descriptor.kind == Descriptor::Kind::Foreign;
    }

    // Without O_NONBLOCK opening a pipe waits for a reader, and some devices wait for a carrier.
    Fd file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid()) {
        const int error = errno;
        struct stat info {};
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
            noReader = true;
            return error;
        }
        if (error != ENOENT) return error;
        Place place;
        if (const int located = Locate(path, place); located != 0) return located;
        return CreateWhole(place, bytes);
    }

    struct stat existing {};
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (::fstat(file.get(), &existing) != 0 || flags < 0 ||
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return errno;
    }
    if (stream || !S_ISREG(existing.st_mode)) {
        // A device or pipe cannot be renamed over and keeps no content to truncate.
        const int error = WriteAll(file.get(), bytes) ? 0 : errno;
        const int closed = file.Close();
        return error != 0 ? error : closed;
    }

    // The rename must land on the very file that was opened, not on whatever a name now shows.
    Place place;
    struct stat named {};
    if (Locate(path, place) == 0 &&
        ::fstatat(place.folder.get(), place.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == existing.st_dev && named.st_ino == existing.st_ino) {
        bool done = false;
        if (const int error = ReplaceWhole(place, existing, bytes, done); error != 0 || done) {
            return error;
        }
    }
    return WriteInPlace(file, bytes);
}

}  // namespace

Result<Success, FileError> SaveFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return FileError{FileError::Kind::NoFileName, path, 0};
    }
    bool noReader = false;
    if (const int error = Save(path, bytes, noReader); error != 0) {
        if (noReader) return FileError{FileError::Kind::NoPipeReader, path, 0};
        return FileError{FileError::Kind::System, path, error};
    }
    return Success{};
}

}  // namespace glyphwright
