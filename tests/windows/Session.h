#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <stdexcept>
#include <string>

#include "ProgramState.h"
#include "ScriptedWindowUser.h"
#include "WindowFrame.h"
#include "WindowManager.h"
#include "core/table/DocumentCommand.h"
#include "dialogs/IncludeChooser.h"
#include "dialogs/RelativeStartDialog.h"
#include "dialogs/SingleEntryDialog.h"
#include "main/MainWindow.h"

namespace glyphwright::test {

// A control of `window` by its name; a missing control fails the test loudly.
template <class Control = QWidget>
Control& Find(QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
        throw std::runtime_error(std::string("no control named ") + name + " in " +
                                 window.objectName().toStdString());
    }
    return *control;
}

// The whole content of a file the program wrote.
inline std::string ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "(unreadable)";
    return file.readAll().toStdString();
}

// Counts the paint events a widget gets.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

inline void Click(QWidget& window, const char* button) {
    QTest::mouseClick(&Find<QPushButton>(window, button), Qt::LeftButton);
}

// Types as the user would: plain keys for ASCII, an input method's commit for anything else
// (that is how kana and kanji reach a text box).
inline void Type(QWidget& box, const QString& text) {
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(&box, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&box, &commit);
}

// Empties a text box with the keyboard, then types `text`.
inline void Retype(QLineEdit& box, const QString& text) {
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Delete);
    Type(box, text);
}

inline void ClickLine(QListView& list, int row) {
    const QRect line = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
}

// A window that must exist by now; a missing one fails the test loudly.
template <class Window>
Window& Existing(Window* window, const char* name) {
    if (window == nullptr) throw std::runtime_error(std::string("no window ") + name);
    return *window;
}

// The set name recorded for the 0-based line, "" for none or no such line.
inline std::string NameOfLine(const TableOrder& order, int line) {
    return line >= 0 && line < order.LineCount() ? std::string(order.SetNameOf(line))
                                                 : std::string();
}

// The own start recorded for the 0-based line, 0 for none or no such line.
inline int StartOfLine(const TableOrder& order, int line) {
    return line >= 0 && line < order.LineCount() ? order.StartOf(line) : 0;
}

// One run of the program: its state, scripted boxes and the windows, started as main() does.
struct Session {
    ProgramState state;
    Document& document = state.document;
    const Workspace& workspace = state.document.Table();
    const TableOrder& order = state.document.Order();
    ScriptedWindowUser user;
    WindowManager windows{state.Services(user)};

    Session() {
        static const bool fontsReady = (InstallFontFallbacks(), true);
        (void)fontsReady;
        windows.Start();
    }

    MainWindow& main() { return Existing(windows.Main(), "frmGlyphwright"); }
    IncludeChooser& PickDialog() { return Existing(windows.PickDialog(), "frmPick"); }
    SingleEntryDialog& InsertDteDialog() {
        return Existing(windows.InsertDteDialog(), "frmInsertDTE");
    }
    RelativeStartDialog& EnterHexNum() { return Existing(windows.EnterHexNum(), "frmEnterHexNum"); }
    QListView& list() { return Find<QListView>(main(), "lstTblInfo"); }
    QComboBox& selector() { return Find<QComboBox>(main(), "cmbSelection"); }
    QPushButton& button(const char* name) { return Find<QPushButton>(main(), name); }

    // Types `text` into the set selector and presses INCLUDE, then "Relative  Entry".
    void IncludeSet(const QString& text) {
        Retype(*selector().lineEdit(), text);
        Click(main(), "cmdInclude");
        QVERIFY(PickDialog().isVisible());
        Click(PickDialog(), "cmdRelText");
    }

    // INCLUDE, "Single Entry", then the code and characters typed afresh, then "Insert".
    void InsertSingle(const QString& code, const QString& characters) {
        Click(main(), "cmdInclude");
        Click(PickDialog(), "cmdSpecChar");
        SingleEntryDialog& dialog = InsertDteDialog();
        QVERIFY(dialog.isVisible());
        Retype(Find<QLineEdit>(dialog, "txtHexCode"), code);
        Retype(Find<QLineEdit>(dialog, "txtText"), characters);
        Click(dialog, "cmdInsert");
    }

    // A click on the line, then the start code typed afresh, then "OK".
    void GiveStart(int row, const QString& code) {
        ClickLine(list(), row);
        RelativeStartDialog& dialog = EnterHexNum();
        QVERIFY(dialog.isVisible());
        Retype(Find<QLineEdit>(dialog, "Text1"), code);
        Click(dialog, "cmdOK");
    }

    [[nodiscard]] QStringList Lines() {
        QStringList lines;
        const QAbstractItemModel& model = *list().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            lines << model.index(row, 0).data().toString();
        }
        return lines;
    }
};

}  // namespace glyphwright::test
