#include "CommandLineNotices.h"

#include <QStringList>

namespace glyphwright {

QString CommandLineNotices::KeptSetsLaidForThisRun(
    const std::vector<std::pair<std::string, std::string>>& renamed) {
    QStringList parts;
    for (const auto& [name, now] : renamed) {
        parts << tr("Your character set \"%1\" differs from the copy the project was made with. "
                    "This run lays the project's copy (as \"%2\"); your set file is not changed.")
                     .arg(QString::fromStdString(name), QString::fromStdString(now));
    }
    return parts.join(QLatin1Char('\n'));
}

QString CommandLineNotices::NothingToWrite(const QString& format) {
    return tr("There is nothing to write: the table holds no entry, and the Table Order lays no "
              "set. A %1 table writes every entry it holds; give a set or an entry. No table was "
              "made.")
        .arg(format);
}

QString CommandLineNotices::PictureTooLarge(qint64 width, qint64 height, qint64 mostSide) {
    return tr("the picture would be %1x%2 pixels, and a picture is drawn at most %3 pixels a "
              "side: ask for fewer glyphs with --count or a smaller --zoom.")
        .arg(width)
        .arg(height)
        .arg(mostSide);
}

QString CommandLineNotices::PictureOutOfMemory() {
    return tr("there is not enough memory to draw the picture: ask for fewer glyphs with "
              "--count or a smaller --zoom.");
}

QString CommandLineNotices::StartsBeforeZero() {
    return tr("(runs before 00)");
}

QString CommandLineNotices::SameOutputAndReport(const QString& output, const QString& report) {
    return tr("--output \"%1\" and --report \"%2\" are the same file: the report would "
              "replace the table. Give the report a file of its own.")
        .arg(output, report);
}

}  // namespace glyphwright
