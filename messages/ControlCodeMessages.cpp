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
        "what the classic table shows for it.");
}

QString ControlCodeMessages::EndCodeKind() {
    return tr("End code");
}

QString ControlCodeMessages::LineBreakKind() {
    return tr("Line break");
}

QString ControlCodeMessages::ControlCodeAction(int code) {
    return tr("Control Code %1").arg(Hex(code));
}

QString ControlCodeMessages::ControlCodeAction(TableCode code) {
    return tr("Control Code %1").arg(QString::fromStdString(code.Hex()));
}

}  // namespace glyphwright
