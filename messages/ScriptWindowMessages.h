#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace glyphwright {

// What the Export Script dialog and the game text's pointer keys say.
class ScriptWindowMessages final {
    Q_DECLARE_TR_FUNCTIONS(ScriptWindowMessages)

public:
    ScriptWindowMessages() = delete;

    [[nodiscard]] static QString ExportScriptTitle();
    [[nodiscard]] static QString ExportScriptButton();
    [[nodiscard]] static QString PointerBlocksCaption();
    [[nodiscard]] static QString AddBlock();
    [[nodiscard]] static QString RemoveBlock();
    [[nodiscard]] static QString RangeCaption();
    // The inserter the script is written for, and its choices.
    [[nodiscard]] static QString InserterCaption();
    [[nodiscard]] static QString AtlasInserter();
    [[nodiscard]] static QString AbcdeInserter();
    [[nodiscard]] static QString ExportButton();
    [[nodiscard]] static QString CloseButton();
    [[nodiscard]] static QStringList ScriptFilters();
    [[nodiscard]] static QString PreviousPointer();
    [[nodiscard]] static QString NextPointer();
    [[nodiscard]] static QString NoGameFile();
    [[nodiscard]] static QString GameUnreadable(const QString& why);
    // The undo names of the changes to the kept pointer blocks and range.
    [[nodiscard]] static QString AddBlockAction(const QString& plan);
    [[nodiscard]] static QString RemoveBlockAction(const QString& plan);
    [[nodiscard]] static QString EditBlockAction(const QString& before, const QString& after);
    [[nodiscard]] static QString RangeAction();
    [[nodiscard]] static QString InserterAction(const QString& inserter);
    [[nodiscard]] static QString TableWritten(const QString& path);
    // While the export runs, and when it was stopped.
    [[nodiscard]] static QString StopButton();
    [[nodiscard]] static QString Exporting(const QString& path);
    [[nodiscard]] static QString Stopped(const QString& path);
};

}  // namespace glyphwright
