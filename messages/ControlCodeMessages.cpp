#include "ControlCodeMessages.h"

#include "MessageText.h"
#include "core/table/TableCode.h"

namespace glyphwright {

QString ControlCodeMessages::ControlCodeMenu() {
    return tr("&Control Code\u2026");
}

QString ControlCodeMessages::ControlCodeTitle() {
    return tr("Control Code");
}

QString ControlCodeMessages::ControlCodeCodeLabel() {
    return tr("&Code (hex):");
}

QString ControlCodeMessages::ControlCodeKindLabel() {
    return tr("&Kind:");
}

QString ControlCodeMessages::ControlCodeTextLabel() {
    return tr("&Text:");
}

QString ControlCodeMessages::ControlCodeHelp() {
    return tr(
        "An end code ends a string; its text is its label, written /FF=[end] in UTF-8 and "
        "Shift-JIS tables. A line break starts a new line, written FE=\\n; its text is "
        "what the classic table shows for it. A linked entry is a label followed by bytes that "
        "are no text (a colour, a wait), written $F5=[color],1. A table switch reads the next "
        "codes through another table, for a count of codes or until a code that table lacks, "
        "written !F0=kanji,0.");
}

QString ControlCodeMessages::EndCodeKind() {
    return tr("End code");
}

QString ControlCodeMessages::LineBreakKind() {
    return tr("Line break");
}

QString ControlCodeMessages::LinkedKind() {
    return tr("Linked entry");
}

QString ControlCodeMessages::SwitchKind() {
    return tr("Table switch");
}

QString ControlCodeMessages::ParametersLabel() {
    return tr("&Parameter bytes:");
}

QString ControlCodeMessages::TableLabel() {
    return tr("T&able:");
}

QString ControlCodeMessages::CountLabel() {
    return tr("C&odes:");
}

QString ControlCodeMessages::UntilLacked() {
    return tr("until a code the table lacks");
}

QString ControlCodeMessages::NoTable() {
    return tr("A table switch names the table it reads next: type its id in Table.");
}

QString ControlCodeMessages::ControlCodeAction(int code) {
    return tr("Control Code %1").arg(Hex(code));
}

QString ControlCodeMessages::ControlCodeAction(TableCode code) {
    return tr("Control Code %1").arg(QString::fromStdString(code.Hex()));
}

}  // namespace glyphwright
