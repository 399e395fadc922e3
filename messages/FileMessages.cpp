#include "FileMessages.h"

#include "MessageText.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

QString FileMessages::Reason(const FileError& failure) {
    switch (failure.kind) {
        case FileError::Kind::System:
            return QString::fromLocal8Bit(std::strerror(failure.error));
        case FileError::Kind::NoPipeReader:
            return tr("it is a named pipe that no program is reading");
        case FileError::Kind::NoFileName:
            return tr("no file name was given");
    }
    return {};
}

QString FileMessages::Failure(const FileError& failure) {
    return tr("The table file \"%1\" could not be written: %2.")
        .arg(Text(failure.path), Reason(failure));
}

}  // namespace glyphwright
