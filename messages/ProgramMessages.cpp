#include "ProgramMessages.h"

#include "MessageText.h"

namespace glyphwright {

QString ProgramMessages::Title() {
    return QStringLiteral("Glyphwright");
}

QString ProgramMessages::ActionFailed(const char* reason) {
    return tr("This command failed: %1").arg(QString::fromLocal8Bit(reason));
}

QString ProgramMessages::ActionFailedUnknown() {
    return tr("This command failed for a reason the program does not know.");
}

QString ProgramMessages::ExitQuestion() {
    return tr("Are you sure you want to exit?");
}

QString ProgramMessages::ExitTitle() {
    return tr("Exit?");
}

QString ProgramMessages::FarewellTitle() {
    return tr("C-ya");
}

QString ProgramMessages::FarewellText() {
    return tr("Glyphwright, by the Glyphwright developers.");
}

QString ProgramMessages::AboutTitle() {
    return tr("About Glyphwright");
}

QString ProgramMessages::AboutText(const QString& version) {
    return tr("Glyphwright %1\nBuilds table files that map a game font's byte codes to the "
              "characters they stand for.")
        .arg(version);
}

QString ProgramMessages::EditMenu() {
    return tr("&Edit");
}

QString ProgramMessages::UndoPrefix() {
    return tr("Undo");
}

QString ProgramMessages::RedoPrefix() {
    return tr("Redo");
}

}  // namespace glyphwright
