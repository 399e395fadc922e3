#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace glyphwright {

// What the command line tells beside a result: how a run used a project's sets, and why a
// picture or a report was not written.
class CommandLineNotices final {
    Q_DECLARE_TR_FUNCTIONS(CommandLineNotices)

public:
    CommandLineNotices() = delete;

    // The project's copies of sets that differ from the user's sets of the same names, each with
    // the name it was laid under in this run; the set file is not changed.
    [[nodiscard]] static QString KeptSetsLaidForThisRun(
        const std::vector<std::pair<std::string, std::string>>& renamed);

    // A table in a text format with no entry and no set to lay.
    [[nodiscard]] static QString NothingToWrite(const QString& format);

    // The glyph sheet asked for is larger than a picture is drawn.
    [[nodiscard]] static QString PictureTooLarge(qint64 width, qint64 height, qint64 mostSide);
    [[nodiscard]] static QString PictureOutOfMemory();
    // The mark of a search row whose set would begin before code 00.
    [[nodiscard]] static QString StartsBeforeZero();
    // font-table was given one file for the table and the report.
    [[nodiscard]] static QString SameOutputAndReport(const QString& output, const QString& report);
};

}  // namespace glyphwright
