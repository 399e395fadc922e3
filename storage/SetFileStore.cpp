#include "storage/SetFileStore.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace glyphwright {

Result<std::vector<UserSet>, SetFileReadError> ReadSetFileAt(const std::string& path,
                                                             bool missingIsEmpty) {
    std::error_code missing;
    if (missingIsEmpty && !std::filesystem::exists(path, missing) && !missing) {
        return std::vector<UserSet>{};
    }
    // A folder opens as a stream but fails the first read, by an exception of the library's.
    std::error_code notFolder;
    if (std::filesystem::is_directory(path, notFolder)) return SetFileReadError{path, EISDIR, {}};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return SetFileReadError{path, errno != 0 ? errno : EIO, {}};
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return SetFileReadError{path, errno != 0 ? errno : EIO, {}};
    }
    if (in.bad()) return SetFileReadError{path, errno != 0 ? errno : EIO, {}};
    auto read = ReadSetFile(text);
    if (!read) return SetFileReadError{path, 0, read.error()};
    return read.value();
}

Result<Success, FileError> SaveSetFileAt(const std::string& path,
                                         const std::vector<UserSet>& sets) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code made;
    if (!folder.empty()) std::filesystem::create_directories(folder, made);
    if (made) return FileError{FileError::Kind::System, path, made.value()};
    return SaveFileAtomically(path, WriteSetFile(sets));
}

}  // namespace glyphwright
