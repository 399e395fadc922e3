// Edit > Control Code…: reached by its key and filled by keys and clicks, put as one undoable step
// with a single entry's checks, and written by MAKE TABLE as the text formats have control codes.
#include <QAction>
#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "Session.h"
#include "dialogs/ControlCodeDialog.h"
#include "support/EntryKinds.h"

namespace glyphwright::test {

class ControlCodeDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void anEndCodeAndALineBreakReachTheTableAndTheFile() {
        QTemporaryDir folder;
        Session session;
        MainWindow& main = session.main();
        QUndoStack& stack = session.state.history.Stack();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        // Typed where the user's keys go: in the start code box too, the shortcut opens it.
        Find<QLineEdit>(main, "txtTblStartCode").setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
        ControlCodeDialog& dialog = Existing(session.windows.ControlCode(), "frmControlCode");
        QVERIFY(dialog.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&dialog));

        // By keys alone: the code box has the focus, Tab goes to the kind (an end code first)
        // and on to the text, Enter puts it.
        QCOMPARE(QApplication::focusWidget(), &Find<QLineEdit>(dialog, "txtCode"));
        QTest::keyClicks(QApplication::focusWidget(), "FF");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &Find<QComboBox>(dialog, "cmbKind"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "end");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(session.workspace.TableText[0xFF], std::string("end"));
        QVERIFY(session.document.Contents().table.TableText.Kinds()[0xFF] == EntryKind::EndCode);
        QCOMPARE(stack.undoText(), QStringLiteral("Control Code FF"));

        // By clicks: a code that is no byte is refused, the dialog stays and nothing changes.
        main.findChild<QAction*>(QStringLiteral("actionControlCode"))->trigger();
        QVERIFY(dialog.isVisible());
        const DocumentContents before = session.document.Contents();
        Retype(Find<QLineEdit>(dialog, "txtCode"), "G");
        Click(dialog, "cmdOK");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(dialog.isVisible());
        QVERIFY(session.document.Contents() == before);

        Retype(Find<QLineEdit>(dialog, "txtCode"), "FE");
        auto& kind = Find<QComboBox>(dialog, "cmbKind");
        kind.setFocus();
        QTest::keyClick(&kind, Qt::Key_Down);
        QCOMPARE(kind.currentText(), QStringLiteral("Line break"));
        Retype(Find<QLineEdit>(dialog, "txtLabel"), QStringLiteral("改"));
        Click(dialog, "cmdOK");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(session.workspace.TableText[0xFE], std::string("改"));
        QVERIFY(session.document.Contents().table.TableText.Kinds()[0xFE] == EntryKind::LineBreak);

        // No set is laid: a UTF-8 file holds both control codes, and nothing else; the line
        // break's text is its visible label, before the "\n".
        QVERIFY(session.button("cmdSave").isEnabled());
        session.user.chosenFilter = 1;
        session.user.pathAnswers.push_back(folder.filePath("codes.tbl").toStdString());
        Click(main, "cmdSave");
        QCOMPARE(ReadFile(folder.filePath("codes.tbl")), std::string("FE=改\\n\n/FF=[end]\n"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});

        stack.undo();
        stack.undo();
        QVERIFY(session.document.Contents().table.TableText.Kinds() == EntryKinds{});
        QVERIFY(session.document.TableText() == TableEntries{});
    }

    // A linked entry keeps its count of parameter bytes and a switch its table and count, each
    // put as one step that undoes and redoes whole; only the boxes of the kind chosen are used,
    // and a switch naming no table is refused with nothing changed.
    void aLinkedEntryAndATableSwitchKeepWhatTheyNeed() {
        Session session;
        MainWindow& main = session.main();
        QUndoStack& stack = session.state.history.Stack();
        main.findChild<QAction*>(QStringLiteral("actionControlCode"))->trigger();
        ControlCodeDialog& dialog = Existing(session.windows.ControlCode(), "frmControlCode");
        QVERIFY(dialog.isVisible());
        auto& kind = Find<QComboBox>(dialog, "cmbKind");
        auto& parameters = Find<QSpinBox>(dialog, "spnParameters");
        auto& table = Find<QLineEdit>(dialog, "txtTable");
        auto& count = Find<QSpinBox>(dialog, "spnCount");
        QVERIFY(!parameters.isEnabled() && !table.isEnabled() && !count.isEnabled());

        Retype(Find<QLineEdit>(dialog, "txtCode"), "F5");
        kind.setFocus();
        QTest::keyClick(&kind, Qt::Key_Down);
        QTest::keyClick(&kind, Qt::Key_Down);
        QCOMPARE(kind.currentText(), QStringLiteral("Linked entry"));
        QVERIFY(parameters.isEnabled() && !table.isEnabled() && !count.isEnabled());
        Retype(Find<QLineEdit>(dialog, "txtLabel"), QStringLiteral("color"));
        parameters.setFocus();
        QTest::keyClick(&parameters, Qt::Key_Up);  // 1 -> 2
        Click(dialog, "cmdOK");
        QVERIFY(!dialog.isVisible());
        const TableEntry colour = test::Linked("color", 2);
        QVERIFY(session.document.TableText().At(0xF5) == colour);
        QCOMPARE(stack.undoText(), QStringLiteral("Control Code F5"));

        main.findChild<QAction*>(QStringLiteral("actionControlCode"))->trigger();
        Retype(Find<QLineEdit>(dialog, "txtCode"), "F0");
        kind.setFocus();
        QTest::keyClick(&kind, Qt::Key_Down);
        QCOMPARE(kind.currentText(), QStringLiteral("Table switch"));
        QVERIFY(!parameters.isEnabled() && table.isEnabled() && count.isEnabled());
        QCOMPARE(count.text(), QStringLiteral("until a code the table lacks"));
        Retype(Find<QLineEdit>(dialog, "txtLabel"), QString());
        const DocumentContents before = session.document.Contents();
        Click(dialog, "cmdOK");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(dialog.isVisible());
        QVERIFY(session.document.Contents() == before);

        Retype(table, QStringLiteral("kanji"));
        count.setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(&count, Qt::Key_Up);
        QTest::keyClick(&count, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        const TableEntry kanji = test::Switch("kanji", 3);
        QVERIFY(session.document.TableText().At(0xF0) == kanji);
        // With no label, the Table Order's line names the table.
        const TableOrder& order = session.document.Order();
        QCOMPARE(order.LineText(order.LineCount() - 1), std::string("@kanji"));

        stack.undo();
        QVERIFY(!session.document.TableText().At(0xF0).Holds());
        QVERIFY(session.document.TableText().At(0xF5) == colour);
        stack.undo();
        QVERIFY(session.document.TableText() == TableEntries{});
        stack.redo();
        stack.redo();
        QVERIFY(session.document.TableText().At(0xF5) == colour);
        QVERIFY(session.document.TableText().At(0xF0) == kanji);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::ControlCodeDialogTest)
#include "ControlCodeDialogTest.moc"
