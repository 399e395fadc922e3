// Export Script from the game text: pointer blocks added and removed in the dialog as undoable
// changes kept in the project, the game text stepping from pointer to pointer, and the script
// written through the Save dialog, byte for byte what the dump writes for the same blocks.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <fstream>
#include <vector>

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
        // The table: Hiragana from 20, and FF an end code put through its dialog.
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        session.IncludeSet(QStringLiteral("Hiragana"));
        QCOMPARE(session.Lines(), QStringList{"Hiragana"});
        session.main().findChild<QAction*>(QStringLiteral("actionControlCode"))->trigger();
        ControlCodeDialog& control = Existing(session.windows.ControlCode(), "frmControlCode");
        Retype(Find<QLineEdit>(control, "txtCode"), "FF");
        Retype(Find<QLineEdit>(control, "txtLabel"), "end");
        Click(control, "cmdOK");
        QVERIFY(session.document.TableText().Kinds()[0xFF] == EntryKind::EndCode);

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
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(!QFile::exists(nowhere) && !QFile::exists(nowhere + ".tbl"));

        session.user.pathAnswers.push_back(scriptPath.toStdString());
        Click(dialog, "cmdExport");
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

    void theBlocksComeBackWithTheProject() {
        // Kept as the feature's settings: the JSON reads back as written, and nothing else is lost.
        ScriptSettings settings;
        settings.pointers = {"100:48:le16+4000", "8000:2:gba"};
        settings.range = "8000:9000";
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
