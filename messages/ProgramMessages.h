#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {
// The program's own words: its title, the exit sequence, the Help menu, the Edit menu and
// the failure of any action.
class ProgramMessages final {
    Q_DECLARE_TR_FUNCTIONS(ProgramMessages)

public:
    ProgramMessages() = delete;

    [[nodiscard]] static QString Title();  // of every message box
    [[nodiscard]] static QString ActionFailed(const char* reason);
    [[nodiscard]] static QString ActionFailedUnknown();
    [[nodiscard]] static QString ExitQuestion();
    [[nodiscard]] static QString ExitTitle();
    [[nodiscard]] static QString FarewellTitle();
    [[nodiscard]] static QString FarewellText();
    [[nodiscard]] static QString AboutTitle();
    [[nodiscard]] static QString AboutText(const QString& version);
    [[nodiscard]] static QString EditMenu();
    [[nodiscard]] static QString UndoPrefix();
    [[nodiscard]] static QString RedoPrefix();
};

}  // namespace glyphwright
