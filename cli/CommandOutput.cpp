#include "CommandOutput.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <string>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "Version.h"

namespace glyphwright {

int WriteAll(std::FILE* out, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        return errno != 0 ? errno : EIO;
    }
    return 0;
}

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void Say(std::FILE* err, const QString& message) {
    Print(err, QStringLiteral("glyphwright: %1\n").arg(message));
}

int BadUsage(std::FILE* err, const QString& command, const QString& problem) {
    Print(err, QStringLiteral("glyphwright: %1\n%2\n")
                   .arg(problem, CommandLineMessages::TryHelp(command)));
    return kExitBadUsage;
}

int TableProblem(std::FILE* err, const QString& message) {
    Say(err, message);
    return kExitTableProblem;
}

int Show(std::FILE* out, std::FILE* err, std::string_view bytes) {
    if (const int error = WriteAll(out, bytes)) {
        return TableProblem(err, CommandLineMessages::StandardOutputFailed(
                                     QString::fromLocal8Bit(std::strerror(error))));
    }
    return kExitSuccess;
}

int Show(std::FILE* out, std::FILE* err, const QString& text) {
    return Show(out, err, text.toLocal8Bit().toStdString());
}

int ShowListing(std::FILE* out, std::FILE* err, std::string_view bytes) {
    if (const int error = WriteAll(out, bytes)) {
        if (error == EPIPE) return kExitSuccess;
        return TableProblem(err, CommandLineMessages::StandardOutputFailed(
                                     QString::fromLocal8Bit(std::strerror(error))));
    }
    return kExitSuccess;
}

int ShowVersion(std::FILE* out, std::FILE* err) {
    return Show(out, err, std::string(kProductName) + ' ' + kVersionText + '\n');
}

}  // namespace glyphwright
