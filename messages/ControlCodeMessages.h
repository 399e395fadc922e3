#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {
class TableCode;

// Edit > Control Code…: the dialog that puts a control code of each kind.
class ControlCodeMessages final {
    Q_DECLARE_TR_FUNCTIONS(ControlCodeMessages)

public:
    ControlCodeMessages() = delete;

    [[nodiscard]] static QString ControlCodeMenu();
    [[nodiscard]] static QString ControlCodeTitle();
    [[nodiscard]] static QString ControlCodeCodeLabel();
    [[nodiscard]] static QString ControlCodeKindLabel();
    [[nodiscard]] static QString ControlCodeTextLabel();
    [[nodiscard]] static QString ControlCodeHelp();
    [[nodiscard]] static QString EndCodeKind();
    [[nodiscard]] static QString LineBreakKind();
    [[nodiscard]] static QString LinkedKind();
    [[nodiscard]] static QString SwitchKind();
    [[nodiscard]] static QString ParametersLabel();
    [[nodiscard]] static QString TableLabel();
    [[nodiscard]] static QString CountLabel();
    // The count 0: the switch lasts until a code the table lacks.
    [[nodiscard]] static QString UntilLacked();
    [[nodiscard]] static QString NoTable();
    [[nodiscard]] static QString ControlCodeAction(int code);
    [[nodiscard]] static QString ControlCodeAction(TableCode code);
};

}  // namespace glyphwright
