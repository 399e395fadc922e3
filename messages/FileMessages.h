#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {
struct FileError;

// Why a file could not be written.
class FileMessages final {
    Q_DECLARE_TR_FUNCTIONS(FileMessages)

public:
    FileMessages() = delete;

    // Why a file could not be written, as the end of a sentence.
    [[nodiscard]] static QString Reason(const FileError& failure);
    [[nodiscard]] static QString Failure(const FileError& failure);
};

}  // namespace glyphwright
