// The main window: start-up, its commands, the enabling rules, REMOVE keeping the records with
// their lines, MAKE TABLE end to end, failures told in a box, and the close box.
#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "Session.h"
#include "core/sets/BuiltInSets.h"
#include "core/table/Document.h"

namespace glyphwright::test {
namespace {

std::string Line(const std::string& code, const std::string& bytes) {
    return code + "=" + bytes + "\r\r\n";
}

}  // namespace

class MainWindowTest final : public QObject {
    Q_OBJECT

private slots:
    // Edit > Undo and Redo name their action and give back the table and the order as they were,
    // by the menu's keys; what a MAKE TABLE run laid is one step, and the file stays written.
    void undoAndRedoGiveBackEachStepByTheKeys() {
        Session session;
        QAction& undo = *session.main().findChild<QAction*>(QStringLiteral("actionUndo"));
        QAction& redo = *session.main().findChild<QAction*>(QStringLiteral("actionRedo"));
        QVERIFY(!undo.isEnabled());
        // From the list: a text box with the focus keeps the keys for its own undo.
        const auto press = [&session](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            session.main().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&session.main()));
            session.list().setFocus();
            QTest::keyClick(&session.list(), key, modifiers);
        };
        session.IncludeSet("Katakana");
        session.InsertSingle("F0", "A");
        QCOMPARE(session.workspace.TableText[0xF0], std::string("A"));
        QCOMPARE(undo.text(), QStringLiteral("Undo Single Entry F0"));
        const DocumentContents beforeRemove = session.document.Contents();

        ClickLine(session.list(), 0);
        session.EnterHexNum().close();
        Click(session.main(), "cmdRemove");
        QCOMPARE(session.Lines(), QStringList{"A"});
        QCOMPARE(undo.text(), QStringLiteral("Undo Remove Katakana"));

        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session.Lines(), (QStringList{"Katakana", "A"}));
        QVERIFY(session.document.Contents() == beforeRemove);
        QCOMPARE(redo.text(), QStringLiteral("Redo Remove Katakana"));
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(session.Lines(), QStringList{"A"});
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier);  // the single entry
        QCOMPARE(session.Lines(), QStringList{"Katakana"});
        QCOMPARE(session.workspace.TableText[0xF0], std::string());
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(session.workspace.TableText[0xF0], std::string("A"));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("k.tbl"));
        session.user.pathAnswers.push_back(path.toStdString());
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("10"));
        Click(session.main(), "cmdSave");
        QCOMPARE(session.workspace.TableText[0x10], std::string("ア"));
        QCOMPARE(undo.text(), QStringLiteral("Undo Make Table"));
        const std::string written = ReadFile(path);
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session.workspace.TableText[0x10], std::string());
        QCOMPARE(session.workspace.TableText[0xF0], std::string("A"));
        QCOMPARE(ReadFile(path), written);
    }

    void startsWithTheMainWindowAloneAndTheSetsListed() {
        Session session;
        const std::vector<QWidget*> existing = session.windows.ExistingWindows();
        QCOMPARE(existing.size(), std::size_t{1});
        QCOMPARE(existing.front(), &session.main());
        QCOMPARE(session.main().objectName(), QStringLiteral("frmGlyphwright"));
        QVERIFY(session.main().isVisible());
        QCOMPARE(session.main().focusWidget(), &session.list());

        QComboBox& selector = session.selector();
        QStringList names;
        for (int i = 0; i < selector.count(); ++i) names << selector.itemText(i);
        // The classic seven as ever, then, after a line, the further orders.
        QCOMPARE(names,
                 (QStringList{"Hiragana", "Katakana", "Dakuten", "Handakuten", "Uppercase Alphabet",
                              "Lowercase Alphabet", "0-9", "", "Hiragana (JIS order)",
                              "Katakana (JIS order)", "Half-width Katakana", "ASCII"}));
        QCOMPARE(selector.currentIndex(), -1);
        QVERIFY(selector.currentText().isEmpty());
    }

    void selectorTakesAPickByKeyboardAndTypedTextUnchanged() {
        Session session;
        QComboBox& selector = session.selector();
        QTest::keyClick(&selector, Qt::Key_Down);
        QTest::keyClick(&selector, Qt::Key_Down);
        QCOMPARE(selector.currentText(), QStringLiteral("Katakana"));

        // No completion: a name typed in small letters stays as typed.
        Retype(*selector.lineEdit(), "hira");
        QCOMPARE(session.main().SelectionText(), QStringLiteral("hira"));
        QTest::keyClick(selector.lineEdit(), Qt::Key_Return);
        QCOMPARE(selector.count(), 12);  // Enter adds nothing to the list
        QCOMPARE(session.main().SelectionText(), QStringLiteral("hira"));
    }

    void includeShowsOneChooser() {
        Session session;
        Click(session.main(), "cmdInclude");
        IncludeChooser& chooser = session.PickDialog();
        QVERIFY(chooser.isVisible());
        QCOMPARE(chooser.parentWidget(), nullptr);
        Click(session.main(), "cmdInclude");
        QCOMPARE(&session.PickDialog(), &chooser);
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{2});
        QVERIFY(session.user.log.empty());
    }

    void choosingALineShowsTheStartDialogAndEnablesRemove() {
        Session session;
        session.InsertSingle("41", "A");  // lines added by single entries leave REMOVE alone
        session.InsertSingle("42", "B");
        QVERIFY(!session.button("cmdRemove").isEnabled());
        QVERIFY(!session.button("cmdSave").isEnabled());
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{3});

        ClickLine(session.list(), 0);  // the first line enables REMOVE as well
        QVERIFY(session.EnterHexNum().isVisible());
        QVERIFY(session.button("cmdRemove").isEnabled());
        QCOMPARE(session.state.selection.SelectedLine(), 0);
    }

    void arrowKeysShowTheStartDialogToo() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{2});  // no start dialog yet
        QTest::keyClick(&session.list(), Qt::Key_Down);
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        QVERIFY(session.EnterHexNum().isVisible());

        // After Cancel, the next arrow key makes the dialog anew.
        QPointer<QWidget> dialog = &session.EnterHexNum();
        Click(*dialog, "cmdCancel");
        QTRY_VERIFY(dialog.isNull());
        QTest::keyClick(&session.list(), Qt::Key_Down);
        QCOMPARE(session.state.selection.SelectedLine(), 1);
        QVERIFY(session.EnterHexNum().isVisible());
    }

    void removeTakesTheRecordsWithTheLine() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.IncludeSet("0-9");
        session.GiveStart(2, "60");
        session.GiveStart(1, "80");

        ClickLine(session.list(), 1);
        Click(session.EnterHexNum(), "cmdCancel");  // the dialog goes; REMOVE stays
        QTRY_COMPARE(session.windows.ExistingWindows().size(), std::size_t{2});
        Click(session.main(), "cmdRemove");

        QCOMPARE(session.Lines(), (QStringList{"Hiragana", "0-9"}));
        QCOMPARE(NameOfLine(session.order, 0), std::string("Hiragana"));
        QCOMPARE(NameOfLine(session.order, 1), std::string("0-9"));
        QCOMPARE(NameOfLine(session.order, 2), std::string());
        QCOMPARE(StartOfLine(session.order, 0), 0);
        QCOMPARE(StartOfLine(session.order, 1), 0x60);
        QCOMPARE(StartOfLine(session.order, 2), 0);

        // Afterwards no line is selected, and the list's own move of its current line opened
        // nothing.
        QCOMPARE(session.state.selection.SelectedLine(), -1);
        QVERIFY(session.list().selectionModel()->selectedRows().isEmpty());
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{2});
        QVERIFY(session.button("cmdRemove").isEnabled());

        // With nothing selected REMOVE does nothing.
        Click(session.main(), "cmdRemove");
        QCOMPARE(session.Lines(), (QStringList{"Hiragana", "0-9"}));
        QCOMPARE(NameOfLine(session.order, 1), std::string("0-9"));
        QVERIFY(session.user.messages.empty());
    }

    void makeTableWritesTheFileByteForByte() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("digits.tbl");

        Session session;
        session.IncludeSet("0-9");
        QVERIFY(session.button("cmdSave").isEnabled());
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        session.user.pathAnswers.push_back(path.toStdString());
        Click(session.main(), "cmdSave");

        std::string expected;
        for (int digit = 0; digit < 10; ++digit) {
            expected += Line("1" + std::to_string(digit), std::to_string(digit));
        }
        expected += "\r\r\n";
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(session.user.pathFilters, std::vector<std::string>{".tbl files (*.tbl)"});
        QVERIFY(session.user.messages.empty());
        QVERIFY(session.user.textPrompts.empty());
        // The list, the start code and the selector keep their contents for the next run.
        QCOMPARE(session.Lines(), QStringList{"0-9"});
        QCOMPARE(Find<QLineEdit>(session.main(), "txtTblStartCode").text(), QStringLiteral("10"));
    }

    void makeTableLaysEverythingTheDialogsGave() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("mixed.tbl");

        Session session;
        session.IncludeSet("0-9");
        session.GiveStart(0, "20");                // the digits on 20..29
        session.InsertSingle("1A", "あ");          // inside the written range
        session.InsertSingle("05", "!");           // below the start code: not written
        session.user.textAnswers.push_back("10");  // the start-code box is empty: asked for
        session.user.pathAnswers.push_back(path.toStdString());
        Click(session.main(), "cmdSave");

        std::string expected = Line("1A", "\xA4\xA2");  // the classic file holds EUC-JP
        for (int digit = 0; digit < 10; ++digit) {
            expected += Line("2" + std::to_string(digit), std::to_string(digit));
        }
        expected += "\r\r\n";
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(session.user.textPrompts,
                 std::vector<std::string>{
                     "What hex byte does the font table start at?|Where does font table begin"});
        QCOMPARE(session.Lines(), (QStringList{"0-9", "あ", "!"}));
    }

    // File > Make Table… (by its key) and File > Exit do what MAKE TABLE and EXIT do; the first
    // is as unusable as its button until a set is included. (Exit has the platform's Quit key
    // where there is one; the offscreen platform follows Windows, which has none.)
    void theMenuDoesWhatTheButtonsDo() {
        QTemporaryDir folder;
        Session session;
        auto* makeTable = session.main().findChild<QAction*>(QStringLiteral("actionMakeTable"));
        QVERIFY(makeTable != nullptr);
        QVERIFY(!makeTable->isEnabled());
        session.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&session.main()));
        QTest::keyClick(&session.main(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(session.user.log.empty());

        session.IncludeSet("0-9");
        QVERIFY(makeTable->isEnabled());
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        session.user.pathAnswers.push_back(folder.filePath("menu.tbl").toStdString());
        session.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&session.main()));
        QTest::keyClick(&session.main(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadFile(folder.filePath("menu.tbl")).substr(0, 7), std::string("10=0\r\r\n"));

        session.user.yesNoAnswers.push_back(false);
        session.main().findChild<QAction*>(QStringLiteral("actionExit"))->trigger();
        QTRY_COMPARE(session.user.questions.size(), std::size_t{1});
        QCOMPARE(session.user.questions.front().text,
                 std::string("Are you sure you want to exit?"));
        QVERIFY(session.main().isVisible());  // No: nothing changes
    }

    // The file type chosen in the Save dialog decides the format; a character the format cannot
    // hold is told in a box and nothing is written.
    void theFileTypeChosenIsTheFormatWritten() {
        QTemporaryDir folder;
        Session session;
        session.IncludeSet("0-9");
        session.InsertSingle("1A", "丂");  // EUC-JP has it; Shift-JIS does not
        session.IncludeSet("Uppercase Alphabet");
        session.GiveStart(2, "1B");  // the range runs on past 1A, which no set lays
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        const struct {
            int filter;
            const char* name;
        } kinds[] = {{1, "utf8.tbl"}, {2, "sjis.tbl"}};
        for (const auto& kind : kinds) {
            session.user.chosenFilter = kind.filter;
            session.user.pathAnswers.push_back(folder.filePath(kind.name).toStdString());
            Click(session.main(), "cmdSave");
        }
        QCOMPARE(ReadFile(folder.filePath("utf8.tbl")).substr(0, 10), std::string("10=0\n11=1\n"));
        QVERIFY(!QFile::exists(folder.filePath("sjis.tbl")));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages.front().text.find("code 1A") != std::string::npos);
    }

    // An imported table with no set laid reaches a UTF-8 file whole, with no start code asked
    // for; the classic file, chosen instead, has nothing laid to write and says so.
    void anImportedTableAloneReachesATextFileWhole() {
        QTemporaryDir folder;
        const QString imported = folder.filePath("old.tbl");
        const std::string table = "05=x\n10=\xE3\x81\x82\n/FF=[end]\n";
        {
            QFile file(imported);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(table.data(), static_cast<qint64>(table.size()));
        }
        Session session;
        QVERIFY(!session.button("cmdSave").isEnabled());
        session.user.openAnswers.push_back(imported.toStdString());
        session.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&session.main()));
        QTest::keyClick(&session.main(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(session.button("cmdSave").isEnabled());

        session.user.chosenFilter = 1;
        session.user.pathAnswers.push_back(folder.filePath("whole.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(ReadFile(folder.filePath("whole.tbl")), table);
        QVERIFY(session.user.textPrompts.empty());
        QVERIFY(session.user.messages.empty());

        session.user.chosenFilter = 0;
        session.user.pathAnswers.push_back(folder.filePath("classic.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QVERIFY(!QFile::exists(folder.filePath("classic.tbl")));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages[0].text.find("lays no character set") != std::string::npos);
    }

    // The same text at two codes: a UTF-8 file is written whole, and a box names the text and
    // its codes, since inserters disagree about which one they write. Classic warns of nothing.
    void theSameTextAtTwoCodesIsWarnedOfAndStillWritten() {
        QTemporaryDir folder;
        Session session;
        session.IncludeSet("0-9");
        session.InsertSingle("1A", "1");  // the digit 1 is laid at 11 as well
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        session.user.chosenFilter = 1;
        session.user.pathAnswers.push_back(folder.filePath("dup.tbl").toStdString());
        Click(session.main(), "cmdSave");
        const std::string written = ReadFile(folder.filePath("dup.tbl"));
        QCOMPARE(written.substr(written.size() - 10), std::string("19=9\n1A=1\n"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(session.user.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY2(session.user.messages[0].text.find("1 at 11 and 1A") != std::string::npos,
                 session.user.messages[0].text.c_str());

        session.user.chosenFilter = 0;
        session.user.pathAnswers.push_back(folder.filePath("classic.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QVERIFY(QFile::exists(folder.filePath("classic.tbl")));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
    }

    // The start code box shows the document's start code and types into it: the keys typed one
    // after another are one step of Edit > Undo, the box follows an undo and a redo, and MAKE
    // TABLE writes from what the document holds.
    void theStartCodeIsTheDocumentsAndTypingIsOneStepToUndo() {
        QTemporaryDir folder;
        Session session;
        QAction& undo = Find<QAction>(session.main(), "actionUndo");
        QAction& redo = Find<QAction>(session.main(), "actionRedo");
        QLineEdit& box = Find<QLineEdit>(session.main(), "txtTblStartCode");
        session.IncludeSet("0-9");
        Type(box, "1");
        Type(box, "0");
        QCOMPARE(session.document.StartCode(), std::string("10"));
        QCOMPARE(undo.text(), QStringLiteral("Undo Start Code 10"));
        undo.trigger();
        QCOMPARE(box.text(), QString());
        QCOMPARE(session.document.StartCode(), std::string());
        QCOMPARE(undo.text(), QStringLiteral("Undo Include 0-9"));
        redo.trigger();
        QCOMPARE(box.text(), QStringLiteral("10"));

        // Changed by another window's command, the box shows it, and MAKE TABLE writes from it.
        session.state.history.Run(DocumentCommand::SetStartCode(session.document, "20"),
                                  QStringLiteral("Start Code 20"));
        QCOMPARE(box.text(), QStringLiteral("20"));
        session.user.pathAnswers.push_back(folder.filePath("d.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(ReadFile(folder.filePath("d.tbl")).substr(0, 7), std::string("20=0\r\r\n"));
        QVERIFY(session.user.textPrompts.empty());

        // A line included between two keys keeps the keys apart: three steps.
        Retype(box, "3");
        session.IncludeSet("0-9");
        Type(box, "0");
        QCOMPARE(session.document.StartCode(), std::string("30"));
        undo.trigger();
        QCOMPARE(box.text(), QStringLiteral("3"));
        QCOMPARE(session.Lines(), (QStringList{"0-9", "0-9"}));
    }

    // REMOVE and MAKE TABLE only ever become usable: an undo of what made them so leaves them,
    // and a line that a single entry added, put back by an undo, makes MAKE TABLE no more usable
    // than the single entry did.
    void theButtonsStayUsableAndSingleEntriesNeverMakeATable() {
        Session session;
        session.InsertSingle("41", "A");
        session.InsertSingle("42", "B");
        ClickLine(session.list(), 1);
        session.EnterHexNum().close();
        QVERIFY(session.button("cmdRemove").isEnabled());
        Click(session.main(), "cmdRemove");
        QCOMPARE(session.Lines(), QStringList{"A"});
        Find<QAction>(session.main(), "actionUndo").trigger();
        QCOMPARE(session.Lines(), (QStringList{"A", "B"}));
        QVERIFY(!session.button("cmdSave").isEnabled());
        QVERIFY(!Find<QAction>(session.main(), "actionMakeTable").isEnabled());

        session.IncludeSet("hira");  // names no set: MAKE TABLE all the same
        QVERIFY(session.button("cmdSave").isEnabled());
        QVERIFY(Find<QAction>(session.main(), "actionMakeTable").isEnabled());
        Find<QAction>(session.main(), "actionUndo").trigger();
        QCOMPARE(session.Lines(), (QStringList{"A", "B"}));
        QVERIFY(session.button("cmdSave").isEnabled());
        QVERIFY(session.button("cmdRemove").isEnabled());
    }

    // The ASCII set in a Shift-JIS file: written whole, brackets and all, and one box warns of
    // everything at once: the codes holding < or > (abcde refuses such a table) and a text that
    // stands at two codes.
    void asciiInATextFileIsWrittenWithOneBoxOfWarnings() {
        QTemporaryDir folder;
        Session session;
        session.IncludeSet("ASCII");
        session.InsertSingle("10", "A");  // laid at 41 as well
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        session.user.chosenFilter = 2;
        session.user.pathAnswers.push_back(folder.filePath("ascii.tbl").toStdString());
        Click(session.main(), "cmdSave");
        const std::string written = ReadFile(folder.filePath("ascii.tbl"));
        QVERIFY(written.starts_with("10=A\r\n20= \r\n21=!\r\n"));
        QVERIFY(written.find("\r\n3C=<\r\n3D==\r\n3E=>\r\n") != std::string::npos);
        QVERIFY(written.find("\r\n5B=[\r\n5C=\\\r\n5D=]\r\n") != std::string::npos);
        QVERIFY(written.ends_with("\r\n7E=~\r\n"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        const std::string& text = session.user.messages[0].text;
        QCOMPARE(session.user.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY2(text.find("A at 10 and 41") != std::string::npos, text.c_str());
        QVERIFY2(text.find("the entries at codes 3C, 3E hold \"<\" or \">\": abcde") !=
                     std::string::npos,
                 text.c_str());
    }

    void aFailureInsideAnActionIsToldAndTheProgramGoesOn() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Session session;
        session.IncludeSet("0-9");
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        session.user.beforeSavePath = [] { throw std::runtime_error("the disk is on fire"); };
        Click(session.main(), "cmdSave");

        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(session.user.messages.front().title, std::string("Glyphwright"));
        QVERIFY(session.user.messages.front().text.find("the disk is on fire") !=
                std::string::npos);
        QCOMPARE(session.user.messages.front().icon, MessageIcon::Exclamation);

        // The window is still there and works.
        session.user.beforeSavePath = nullptr;
        const QString path = folder.filePath("after.tbl");
        session.user.pathAnswers.push_back(path.toStdString());
        Click(session.main(), "cmdSave");
        QVERIFY(QFile::exists(path));
    }

    void theCloseBoxEndsTheProgramWithEveryWindowGone() {
        Session session;
        session.IncludeSet("Hiragana");  // the chooser exists, hidden
        ClickLine(session.list(), 0);    // the start dialog is shown
        QPointer<QWidget> chooser = &session.PickDialog();
        QPointer<QWidget> dialog = &session.EnterHexNum();
        QPointer<QWidget> main = &session.main();
        QSignalSpy ended(&session.windows, &WindowManager::ended);

        session.main().close();
        QTRY_COMPARE(ended.count(), 1);
        QVERIFY(main.isNull());
        QVERIFY(chooser.isNull());
        QVERIFY(dialog.isNull());
        QVERIFY(session.windows.ExistingWindows().empty());
        QVERIFY(session.user.log.empty());  // no question, no farewell
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::MainWindowTest)
#include "MainWindowTest.moc"
