// Export Script from the game text: pointer blocks added and removed in the dialog as undoable
// changes kept in the project, the game text stepping from pointer to pointer, and the script
// written through the Save dialog, byte for byte what the dump writes for the same blocks; a long
// export shows its progress while the window goes on answering, and Stop leaves nothing written.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <fstream>
#include <vector>

#include "ScriptWindowMessages.h"
#include "Session.h"
#include "core/script/ScriptDump.h"
#include "dialogs/ControlCodeDialog.h"
#include "gametext/GameTextWindow.h"
#include "script/ExportScriptDialog.h"
#include "script/ScriptSettings.h"
#include "tablefile/ScriptEntries.h"

namespace glyphwright::test {
namespace {

// Three little-endian pointers at 0, the first and third sharing the string at 10; the string at
// 18 holds 05, which the table has no entry for. Hiragana laid from 20 reads 20 21 22 as あいう.
const std::vector<std::uint8_t> kGame = {
    0x10, 0x00, 0x18, 0x00, 0x10, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x20, 0x21, 0x22, 0xFF, 0, 0, 0, 0, 0x23, 0x05, 0x24, 0x05, 0xFF, 0, 0, 0};

QString WriteGame(const QTemporaryDir& folder) {
    const QString path = folder.filePath("game.bin");
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(kGame.data()),
               static_cast<std::streamsize>(kGame.size()));
    return path;
}

// The table: Hiragana from 20, and FF an end code put through its dialog.
void MakeTable(Session& session) {
    Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
    session.IncludeSet(QStringLiteral("Hiragana"));
    QCOMPARE(session.Lines(), QStringList{"Hiragana"});
    session.main().findChild<QAction*>(QStringLiteral("actionControlCode"))->trigger();
    ControlCodeDialog& control = Existing(session.windows.ControlCode(), "frmControlCode");
    Retype(Find<QLineEdit>(control, "txtCode"), "FF");
    Retype(Find<QLineEdit>(control, "txtLabel"), "end");
    Click(control, "cmdOK");
    QVERIFY(session.document.TableText().Kinds()[0xFF] == EntryKind::EndCode);
}

// The game opened through File > Open Game File…, and the dialog opened from the game text.
ExportScriptDialog* OpenExport(Session& session, const QString& game) {
    session.user.openAnswers.push_back(game.toStdString());
    Find<QAction>(session.main(), "actionOpenGameFile").trigger();
    session.windows.ShowGameText();
    GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
    Click(text, "cmdExportScript");
    return text.findChild<ExportScriptDialog*>();
}

QStringList Items(QListWidget& list) {
    QStringList items;
    for (int row = 0; row < list.count(); ++row) items << list.item(row)->text();
    return items;
}

}  // namespace

class ExportScriptTest final : public QObject {
    Q_OBJECT

private slots:
    void blocksAreKeptUndoneSteppedAndDumped() {
        QTemporaryDir folder;
        Session session;
        QUndoStack& stack = session.state.history.Stack();
        MakeTable(session);
        if (QTest::currentTestFailed()) return;

        session.user.openAnswers.push_back(WriteGame(folder).toStdString());
        Find<QAction>(session.main(), "actionOpenGameFile").trigger();
        session.windows.ShowGameText();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        auto& offset = Find<QLineEdit>(text, "txtOffset");
        // No blocks yet: nothing to step to.
        QVERIFY(!Find<QPushButton>(text, "cmdNextPointer").isEnabled());

        Click(text, "cmdExportScript");
        auto* found = text.findChild<ExportScriptDialog*>();
        QVERIFY(found != nullptr);
        ExportScriptDialog& dialog = *found;
        QVERIFY(dialog.isVisible());
        auto& blocks = Find<QListWidget>(dialog, "lstPointerBlocks");
        auto& typed = Find<QLineEdit>(dialog, "txtPointerBlock");

        // A block typed and Enter: kept as the dump spells it, undoable.
        Retype(typed, "000:3:le16");
        QTest::keyClick(&typed, Qt::Key_Return);
        QCOMPARE(Items(blocks), QStringList{"0:3:le16"});
        QCOMPARE(ScriptSettings::Of(session.document).pointers, std::vector<std::string>{"0:3:le16"});
        QCOMPARE(stack.undoText(), QStringLiteral("Add Pointer Block 0:3:le16"));
        // A second one, then taken away again by Remove.
        Retype(typed, "4:1:be16");
        Click(dialog, "cmdAddBlock");
        QCOMPARE(Items(blocks), (QStringList{"0:3:le16", "4:1:be16"}));
        blocks.setCurrentRow(1);
        Click(dialog, "cmdRemoveBlock");
        QCOMPARE(Items(blocks), QStringList{"0:3:le16"});
        // A kind no game stores is refused with a word, and nothing changes.
        Retype(typed, "0:3:le17");
        Click(dialog, "cmdAddBlock");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(session.user.messages[0].text).contains("0:3:le17"));
        QCOMPARE(Items(blocks), QStringList{"0:3:le16"});
        // Edited in place by keys: F2, the new block, Enter.
        blocks.setFocus();
        blocks.setCurrentRow(0);
        QTest::keyClick(&blocks, Qt::Key_F2);
        QLineEdit* editor = nullptr;
        QTRY_VERIFY((editor = blocks.findChild<QLineEdit*>()) != nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "2:2:be16");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(stack.undoText(), QStringLiteral("Change Pointer Block 0:3:le16 to 2:2:be16"));
        QCOMPARE(Items(blocks), QStringList{"2:2:be16"});
        QCOMPARE(ScriptSettings::Of(session.document).pointers, std::vector<std::string>{"2:2:be16"});
        // Undo and redo reach the list.
        stack.undo();
        QCOMPARE(Items(blocks), QStringList{"0:3:le16"});
        stack.undo();
        QCOMPARE(Items(blocks), (QStringList{"0:3:le16", "4:1:be16"}));
        stack.undo();
        stack.undo();
        QCOMPARE(Items(blocks), QStringList{});
        QVERIFY(!Find<QPushButton>(text, "cmdNextPointer").isEnabled());
        stack.redo();
        QCOMPARE(Items(blocks), QStringList{"0:3:le16"});

        // The game text steps to each string a pointer leads to, the shared one once.
        QCOMPARE(offset.text(), QStringLiteral("0"));
        Click(text, "cmdNextPointer");
        QCOMPARE(offset.text(), QStringLiteral("10"));
        Click(text, "cmdNextPointer");
        QCOMPARE(offset.text(), QStringLiteral("18"));
        Click(text, "cmdNextPointer");
        QCOMPARE(offset.text(), QStringLiteral("18"));
        Click(text, "cmdPreviousPointer");
        QCOMPARE(offset.text(), QStringLiteral("10"));
        Click(text, "cmdPreviousPointer");
        QCOMPARE(offset.text(), QStringLiteral("10"));

        // Cancel in the Save dialog writes nothing.
        const QString scriptPath = folder.filePath("script.txt");
        session.user.pathAnswers.push_back(std::nullopt);
        Click(dialog, "cmdExport");
        QVERIFY(!QFile::exists(scriptPath));

        // A folder that is not there: told, and nothing is left half-written.
        const QString nowhere = folder.filePath("none/script.txt");
        session.user.pathAnswers.push_back(nowhere.toStdString());
        Click(dialog, "cmdExport");
        QTRY_COMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(!QFile::exists(nowhere) && !QFile::exists(nowhere + ".tbl"));

        auto& exportButton = Find<QPushButton>(dialog, "cmdExport");
        QTRY_VERIFY(exportButton.isEnabled());
        session.user.pathAnswers.push_back(scriptPath.toStdString());
        Click(dialog, "cmdExport");
        QTRY_VERIFY(exportButton.isEnabled());
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        const std::string tableFile = ReadFile(scriptPath + ".tbl");
        QVERIFY2(tableFile.find("20=あ\n") != std::string::npos, tableFile.c_str());
        QVERIFY2(tableFile.find("/FF=") != std::string::npos, tableFile.c_str());
        // What the dump itself writes for the same game, table and block.
        auto entries = ReadScriptEntries(tableFile, TableFormat::Utf8);
        QVERIFY(static_cast<bool>(entries));
        const ScriptTable table(std::move(entries).value());
        DumpRequest request;
        request.blocks.push_back(ReadPointerBlock("0:3:le16").value());
        request.tablePath = (scriptPath + ".tbl").toStdString();
        const DumpResult dump = DumpScript(kGame, table, request);
        QCOMPARE(ReadFile(scriptPath), dump.script);
        QVERIFY(dump.script.find("あいう") != std::string::npos);
        QCOMPARE(dump.pointers, std::size_t{3});
        QCOMPARE(dump.strings, std::size_t{2});
        // The report names the code read without an entry, with its count.
        const QString report = Find<QPlainTextEdit>(dialog, "txtReport").toPlainText();
        QVERIFY2(report.contains(QStringLiteral("05 ×2")), qPrintable(report));
        QVERIFY2(report.contains(scriptPath), qPrintable(report));
    }

    // A table whose switches lead round through its two tables: imported and told by line. The
    // text after a switch goes out as the other table's text, read by the inserter from that
    // table's own file beside the script.
    void switchedTextGoesOutWithItsTable() {
        QTemporaryDir folder;
        const QString tablePath = folder.filePath("kinds.tbl");
        {
            QFile file(tablePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                "@main\n41=A\n!F9=kanji,0\n/FF=[end]\n@kanji\n50=\xE6\xBC\xA2\n"
                "!FE=main,0\n");
        }
        Session session;
        session.user.openAnswers.push_back(tablePath.toStdString());
        Find<QAction>(session.main(), "actionImportTable").trigger();
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        const std::string& told = session.user.messages[0].text;
        QVERIFY2(told.find("lines 3, 7 switch round through the tables main, kanji") !=
                     std::string::npos,
                 told.c_str());

        const QString game = folder.filePath("switch.bin");
        const std::vector<std::uint8_t> bytes = {0x10, 0x00, 0,    0,    0,    0,   0, 0,
                                                 0,    0,    0,    0,    0,    0,   0, 0,
                                                 0x41, 0xF9, 0x50, 0x50, 0x41, 0xFF};
        std::ofstream(game.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        ExportScriptDialog* dialog = OpenExport(session, game);
        QVERIFY(dialog != nullptr);
        auto& typed = Find<QLineEdit>(*dialog, "txtPointerBlock");
        Retype(typed, "0:1:le16");
        QTest::keyClick(&typed, Qt::Key_Return);
        const QString scriptPath = folder.filePath("script.txt");
        session.user.pathAnswers.push_back(scriptPath.toStdString());
        auto& exportButton = Find<QPushButton>(*dialog, "cmdExport");
        Click(*dialog, "cmdExport");
        QTRY_VERIFY(QFile::exists(scriptPath) && exportButton.isEnabled());
        const std::string script = ReadFile(scriptPath);
        QVERIFY2(script.find("#ADDTBL(\"" + (scriptPath + ".kanji.tbl").toStdString() +
                             "\", Table_1)\n") != std::string::npos,
                 script.c_str());
        QVERIFY2(script.find("#WRITE(Ptr_1, $0)\nA<$F9>\n#ACTIVETBL(Table_1)\n\xE6\xBC\xA2"
                             "\xE6\xBC\xA2\n#ACTIVETBL(GameTable)\nA[end]\n") != std::string::npos,
                 script.c_str());
        QCOMPARE(ReadFile(scriptPath + ".tbl"), std::string("41=A\n/FF=[end]\n"));
        QCOMPARE(ReadFile(scriptPath + ".kanji.tbl"), std::string("50=\xE6\xBC\xA2\n"));
    }

    // A linked entry goes out raw, and the table beside the script holds no line for it: Atlas
    // passes over such a line and abcde refuses the whole table.
    void aLinkedEntryGoesOutRaw() {
        QTemporaryDir folder;
        const QString tablePath = folder.filePath("linked.tbl");
        {
            QFile file(tablePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("41=A\n$F5=[color],1\n/FF=[end]\n");
        }
        Session session;
        session.user.openAnswers.push_back(tablePath.toStdString());
        Find<QAction>(session.main(), "actionImportTable").trigger();
        const QString game = folder.filePath("linked.bin");
        const std::vector<std::uint8_t> bytes = {0x02, 0x00, 0x41, 0xF5, 0x03, 0x41, 0xFF};
        std::ofstream(game.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        ExportScriptDialog* dialog = OpenExport(session, game);
        QVERIFY(dialog != nullptr);
        auto& typed = Find<QLineEdit>(*dialog, "txtPointerBlock");
        Retype(typed, "0:1:le16");
        QTest::keyClick(&typed, Qt::Key_Return);
        const QString scriptPath = folder.filePath("script.txt");
        session.user.pathAnswers.push_back(scriptPath.toStdString());
        auto& exportButton = Find<QPushButton>(*dialog, "cmdExport");
        Click(*dialog, "cmdExport");
        QTRY_VERIFY(QFile::exists(scriptPath) && exportButton.isEnabled());
        const std::string script = ReadFile(scriptPath);
        QVERIFY2(script.find("\nA<$F5><$03>A[end]\n") != std::string::npos, script.c_str());
        QCOMPARE(ReadFile(scriptPath + ".tbl"), std::string("41=A\n/FF=[end]\n"));
    }

    // The inserter chosen in the dialog, kept in the project and undone like the blocks: abcde
    // wants a labelled line break without its "\n", Atlas, the first choice, with it.
    void aLabelledLineBreakGoesOutForTheInserterChosen() {
        QTemporaryDir folder;
        const QString tablePath = folder.filePath("break.tbl");
        {
            QFile file(tablePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("41=A\nFE=[line]\\n\n/FF=[end]\n");
        }
        Session session;
        session.user.openAnswers.push_back(tablePath.toStdString());
        Find<QAction>(session.main(), "actionImportTable").trigger();
        const QString game = folder.filePath("break.bin");
        const std::vector<std::uint8_t> bytes = {0x02, 0x00, 0x41, 0xFE, 0x41, 0xFF};
        std::ofstream(game.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        ExportScriptDialog* dialog = OpenExport(session, game);
        QVERIFY(dialog != nullptr);
        auto& typed = Find<QLineEdit>(*dialog, "txtPointerBlock");
        Retype(typed, "0:1:le16");
        QTest::keyClick(&typed, Qt::Key_Return);
        auto& inserter = Find<QComboBox>(*dialog, "cboInserter");
        QCOMPARE(inserter.currentText(), QStringLiteral("Atlas"));
        auto& exportButton = Find<QPushButton>(*dialog, "cmdExport");
        const auto exported = [&](const QString& name) {
            const QString scriptPath = folder.filePath(name);
            session.user.pathAnswers.push_back(scriptPath.toStdString());
            Click(*dialog, "cmdExport");
            [&] { QTRY_VERIFY(QFile::exists(scriptPath) && exportButton.isEnabled()); }();
            return ReadFile(scriptPath);
        };
        inserter.setFocus();
        QTest::keyClick(&inserter, Qt::Key_Down);
        QCOMPARE(inserter.currentText(), QStringLiteral("abcde"));
        QCOMPARE(ScriptSettings::Of(session.document).inserter, std::string("abcde"));
        QUndoStack& stack = session.state.history.Stack();
        QCOMPARE(stack.undoText(), QStringLiteral("Change Inserter to abcde"));
        const std::string abcde = exported("abcde.txt");
        QVERIFY2(abcde.find("\nA[line]\nA[end]\n") != std::string::npos, abcde.c_str());
        // Undone, the choice is Atlas's again, in the project and in the dialog.
        stack.undo();
        QCOMPARE(inserter.currentText(), QStringLiteral("Atlas"));
        const std::string atlas = exported("atlas.txt");
        QVERIFY2(atlas.find("\nA[line]\\n\nA[end]\n") != std::string::npos, atlas.c_str());
    }

    void aLongExportShowsProgressAnswersAndStops() {
        // 4 MiB of strings of fifteen kana and the end code; the range reads the first 65,536.
        QTemporaryDir folder;
        const QString gamePath = folder.filePath("long.bin");
        {
            std::vector<char> bytes(4 << 20);
            for (std::size_t at = 0; at < bytes.size(); ++at) {
                bytes[at] = static_cast<char>(at % 16 == 15 ? 0xFF : 0x20 + at % 0x40);
            }
            std::ofstream(gamePath.toStdString(), std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        Session session;
        MakeTable(session);
        if (QTest::currentTestFailed()) return;
        ExportScriptDialog* found = OpenExport(session, gamePath);
        QVERIFY(found != nullptr);
        ExportScriptDialog& dialog = *found;
        Retype(Find<QLineEdit>(dialog, "txtRange"), "0:100000");
        QTest::keyClick(&Find<QLineEdit>(dialog, "txtRange"), Qt::Key_Return);
        auto& exportButton = Find<QPushButton>(dialog, "cmdExport");
        auto& stop = Find<QPushButton>(dialog, "cmdStop");
        auto& progress = Find<QProgressBar>(dialog, "barProgress");
        const auto& report = Find<QPlainTextEdit>(dialog, "txtReport");
        QVERIFY(!stop.isEnabled());

        // Run to the end: the bar moves on the way and ends full, and the script is written.
        const QString whole = folder.filePath("whole.txt");
        QSignalSpy moved(&progress, &QProgressBar::valueChanged);
        session.user.pathAnswers.push_back(whole.toStdString());
        Click(dialog, "cmdExport");
        // The click came back while the dump runs on: the window goes on answering.
        QVERIFY(stop.isEnabled() && !exportButton.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(exportButton.isEnabled(), 120000);
        QVERIFY(!stop.isEnabled());
        QVERIFY2(report.toPlainText().startsWith(whole + QStringLiteral(": 65536 strings")),
                 qPrintable(report.toPlainText()));
        QCOMPARE(progress.value(), 100);
        QVERIFY(std::any_of(moved.begin(), moved.end(), [](const QList<QVariant>& told) {
            return told.at(0).toInt() > 0 && told.at(0).toInt() < 100;
        }));
        QVERIFY(ReadFile(whole).find("// $0FFFF0 (read between end codes)\n") != std::string::npos);

        // Stopped once it is under way, reading the whole game: the script there before is left
        // as it was, and no table is written beside it.
        Retype(Find<QLineEdit>(dialog, "txtRange"), "0:400000");
        QTest::keyClick(&Find<QLineEdit>(dialog, "txtRange"), Qt::Key_Return);
        progress.reset();
        const QString stopped = folder.filePath("stopped.txt");
        std::ofstream(stopped.toStdString()) << "the script before\n";
        session.user.pathAnswers.push_back(stopped.toStdString());
        Click(dialog, "cmdExport");
        QTRY_VERIFY_WITH_TIMEOUT(progress.value() > 0, 60000);
        Click(dialog, "cmdStop");
        QTRY_VERIFY_WITH_TIMEOUT(exportButton.isEnabled(), 60000);
        QCOMPARE(report.toPlainText(), ScriptWindowMessages::Stopped(stopped));
        QCOMPARE(progress.value(), 0);
        QCOMPARE(ReadFile(stopped), std::string("the script before\n"));
        QVERIFY(!QFile::exists(stopped + ".tbl"));

        // Closing the dialog while it runs stops it too.
        const QString closed = folder.filePath("closed.txt");
        session.user.pathAnswers.push_back(closed.toStdString());
        Click(dialog, "cmdExport");
        QVERIFY(stop.isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(exportButton.isEnabled(), 60000);
        QVERIFY(!QFile::exists(closed) && !QFile::exists(closed + ".tbl"));
        QCOMPARE(session.user.messages.size(), std::size_t{0});
    }

    void theBlocksComeBackWithTheProject() {
        // Kept as the feature's settings: the JSON reads back as written, and nothing else is lost.
        ScriptSettings settings;
        settings.pointers = {"100:48:le16+4000", "8000:2:gba"};
        settings.range = "8000:9000";
        settings.inserter = "abcde";
        Document document;
        document.SetFeatureSettings(ScriptSettings::kFeature, settings.Json());
        QCOMPARE(ScriptSettings::Of(document), settings);
        document.SetFeatureSettings(ScriptSettings::kFeature, "not json");
        QCOMPARE(ScriptSettings::Of(document), ScriptSettings{});
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::ExportScriptTest)
#include "ExportScriptTest.moc"
