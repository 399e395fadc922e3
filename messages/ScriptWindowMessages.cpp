#include "ScriptWindowMessages.h"

namespace glyphwright {

QString ScriptWindowMessages::ExportScriptTitle() {
    return tr("Export Script");
}

QString ScriptWindowMessages::ExportScriptButton() {
    return tr("E&xport Script…");
}

QString ScriptWindowMessages::PointerBlocksCaption() {
    return tr("&Pointer blocks (OFFSET:COUNT:KIND, e.g. 100:48:le16+4000):");
}

QString ScriptWindowMessages::AddBlock() {
    return tr("&Add");
}

QString ScriptWindowMessages::RemoveBlock() {
    return tr("&Remove");
}

QString ScriptWindowMessages::InserterCaption() {
    return tr("&Inserter (they differ at a labelled line break):");
}

QString ScriptWindowMessages::AtlasInserter() {
    return tr("Atlas");
}

QString ScriptWindowMessages::AbcdeInserter() {
    return tr("abcde");
}

QString ScriptWindowMessages::RangeCaption() {
    return tr("R&ange (START:END, hex; empty for none):");
}

QString ScriptWindowMessages::ExportButton() {
    return tr("&Export…");
}

QString ScriptWindowMessages::CloseButton() {
    return tr("Close");
}

QStringList ScriptWindowMessages::ScriptFilters() {
    return {tr("Atlas scripts (*.txt)"), tr("All files (*)")};
}

QString ScriptWindowMessages::PreviousPointer() {
    return tr("Previous Poin&ter");
}

QString ScriptWindowMessages::NextPointer() {
    return tr("Next Pointe&r");
}

QString ScriptWindowMessages::NoGameFile() {
    return tr("Open a game file first: the script is read from its bytes.");
}

QString ScriptWindowMessages::GameUnreadable(const QString& why) {
    return tr("The game file could not be read, so no script was written. %1").arg(why);
}

QString ScriptWindowMessages::AddBlockAction(const QString& plan) {
    return tr("Add Pointer Block %1").arg(plan);
}

QString ScriptWindowMessages::RemoveBlockAction(const QString& plan) {
    return tr("Remove Pointer Block %1").arg(plan);
}

QString ScriptWindowMessages::EditBlockAction(const QString& before, const QString& after) {
    return tr("Change Pointer Block %1 to %2").arg(before, after);
}

QString ScriptWindowMessages::InserterAction(const QString& inserter) {
    return tr("Change Inserter to %1").arg(inserter);
}

QString ScriptWindowMessages::RangeAction() {
    return tr("Change Dump Range");
}

QString ScriptWindowMessages::TableWritten(const QString& path) {
    return tr("The table the script names was written to %1.").arg(path);
}

QString ScriptWindowMessages::StopButton() {
    return tr("&Stop");
}

QString ScriptWindowMessages::Exporting(const QString& path) {
    return tr("Reading the script for %1…").arg(path);
}

QString ScriptWindowMessages::Stopped(const QString& path) {
    return tr("Stopped: nothing was written to %1.").arg(path);
}

}  // namespace glyphwright
