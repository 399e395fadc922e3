#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

namespace glyphwright {
struct ImportProblem;
struct SwitchLoop;

// Import Table…: its dialog and the lines of a table it could not read.
class ImportTableMessages final {
    Q_DECLARE_TR_FUNCTIONS(ImportTableMessages)

public:
    ImportTableMessages() = delete;

    [[nodiscard]] static QString ImportTableMenu();
    // The Import Table dialog's file types: the format found from the file, then each format.
    [[nodiscard]] static QStringList ImportTableFilters();
    [[nodiscard]] static QString ImportTableTitle();
    [[nodiscard]] static QString ImportProblems(const QString& file,
                                                const std::vector<ImportProblem>& problems);
    [[nodiscard]] static QString ImportTheRest(qsizetype entries);
    // Switches of a table file that lead round through its tables, each until a code: taken,
    // and told with their tables and lines.
    [[nodiscard]] static QString SwitchLoops(const QString& file,
                                             const std::vector<SwitchLoop>& loops);
    [[nodiscard]] static QString ImportAction(const QString& fileName);
};

}  // namespace glyphwright
