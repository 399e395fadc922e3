// Tools > Find Dictionary…: the search runs on its thread with progress and Stop, the entries it
// finds are listed with their texts, and Accept puts them into the table as one step that Undo
// takes back. The game text says under the page which codes the table lacks.
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <fstream>

#include "DictionaryMessages.h"
#include "Session.h"
#include "core/text/EucJp.h"
#include "dictionary/DictionaryJob.h"
#include "dictionary/FindDictionaryWindow.h"
#include "gametext/GameTextWindow.h"
#include "support/DictionaryGame.h"

namespace glyphwright::test {
namespace {

// The stand-in game written to `folder`, opened, and its letters put into the table.
testing::DictionaryGame OpenGame(Session& session, const QTemporaryDir& folder) {
    testing::DictionaryGame game =
        testing::MakeDictionaryGame(DictionaryLayout::Pairs, std::size_t{4} << 20);
    const std::string path = folder.filePath(QStringLiteral("game.bin")).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(game.bytes.data()),
               static_cast<std::streamsize>(game.bytes.size()));
    std::vector<std::pair<TableCode, TableEntry>> letters;
    for (int code = 0; code < kCodeCount; ++code) {
        const std::string& text = game.table.text[static_cast<std::size_t>(code)];
        if (!text.empty()) {
            letters.emplace_back(TableCode::OneByte(static_cast<ByteCode>(code)),
                                 TableEntry{text, EntryKind::Ordinary});
        }
    }
    session.state.history.Run(DocumentCommand::PutEntries(session.document, letters),
                              QStringLiteral("letters"));
    session.state.gameFile.Set(GameFile::Open(path).value());
    return game;
}

}  // namespace

class FindDictionaryWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void findsTheEntriesAndAcceptsThemAsOneStep() {
        QTemporaryDir folder;
        Session session;
        const testing::DictionaryGame game = OpenGame(session, folder);
        session.main().findChild<QAction*>(QStringLiteral("actionFindDictionary"))->trigger();
        FindDictionaryWindow& window =
            Existing(session.windows.Dictionary(), "frmFindDictionary");
        QVERIFY(window.isVisible());
        auto& progress = Find<QProgressBar>(window, "barProgress");
        auto& table = Find<QTableWidget>(window, "tblEntries");
        QVERIFY(!Find<QPushButton>(window, "cmdAccept").isEnabled());

        QSignalSpy moved(&progress, &QProgressBar::valueChanged);
        Click(window, "cmdFind");
        QVERIFY(!Find<QPushButton>(window, "cmdFind").isEnabled());
        QVERIFY(Find<QPushButton>(window, "cmdStop").isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(window, "cmdFind").isEnabled(), 120000);
        QVERIFY(moved.count() > 2);
        QCOMPARE(progress.value(), 100);
        QVERIFY2(Find<QLabel>(window, "lblFound").text().contains(QStringLiteral("90400")),
                 qPrintable(Find<QLabel>(window, "lblFound").text()));

        // Listed with their texts, nearly all as the game spells them.
        QVERIFY(table.rowCount() >= 122);
        int right = 0;
        for (int row = 0; row < table.rowCount(); ++row) {
            const auto code = static_cast<std::uint8_t>(table.item(row, 0)->text().toUInt(nullptr, 16));
            const auto truth = game.truth.find(code);
            if (truth != game.truth.end() &&
                table.item(row, 1)->text() == QString::fromStdString(truth->second)) {
                ++right;
            }
        }
        QVERIFY2(right >= 122, qPrintable(QString::number(right)));

        // Accept: every entry into the table, one undo step.
        QUndoStack& stack = session.state.history.Stack();
        const int steps = stack.count();
        const DocumentContents before = session.document.Contents();
        const auto proposed = window.Proposed();
        Click(window, "cmdAccept");
        QCOMPARE(stack.count(), steps + 1);
        for (const DictionaryEntry& entry : proposed) {
            QCOMPARE(session.workspace.TableText[entry.code], entry.text);
        }
        QCOMPARE(table.rowCount(), 0);
        QVERIFY(!Find<QPushButton>(window, "cmdAccept").isEnabled());
        stack.undo();
        QVERIFY(session.document.Contents() == before);
        stack.redo();
        QCOMPARE(session.workspace.TableText[proposed.front().code],
                 proposed.front().text);
    }

    void stopEndsTheSearchWithNothingListed() {
        QTemporaryDir folder;
        Session session;
        OpenGame(session, folder);
        session.windows.ShowFindDictionary();
        FindDictionaryWindow& window =
            Existing(session.windows.Dictionary(), "frmFindDictionary");
        Click(window, "cmdFind");
        Click(window, "cmdStop");
        QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(window, "cmdFind").isEnabled(), 60000);
        // Stopped before the end, or finished just before the click reached it: never half.
        const QString said = Find<QLabel>(window, "lblFound").text();
        if (said == DictionaryMessages::Stopped()) {
            QCOMPARE(Find<QTableWidget>(window, "tblEntries").rowCount(), 0);
            QVERIFY(!Find<QPushButton>(window, "cmdAccept").isEnabled());
        } else {
            QVERIFY(Find<QTableWidget>(window, "tblEntries").rowCount() > 0);
        }
        // Destroying the job while it runs waits for its thread: no crash, no hang.
        {
            const auto job = StartFindDictionary(*session.state.gameFile.File(), LetterTable{});
        }
    }

    void theGameTextSaysWhatThePageLacks() {
        QTemporaryDir folder;
        Session session;
        const testing::DictionaryGame game = OpenGame(session, folder);
        session.windows.ShowGameText();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        text.ShowOffset(game.scriptOffset);
        const QString said = Find<QLabel>(text, "lblMissing").text();
        QVERIFY2(said.contains(QStringLiteral("80 (")), qPrintable(said));
        // The most used first: the end code ends every string.
        QVERIFY2(said.startsWith(QStringLiteral("Not in the table, most used first: 00 (")),
                 qPrintable(said));
        // With every code in the table, nothing is lacking.
        std::vector<std::pair<TableCode, TableEntry>> rest;
        for (const auto& [code, entryText] : game.truth) {
            rest.emplace_back(TableCode::OneByte(code),
                              TableEntry{entryText, EntryKind::Ordinary});
        }
        rest.emplace_back(TableCode::OneByte(0), TableEntry{"end", EntryKind::EndCode});
        session.state.history.Run(DocumentCommand::PutEntries(session.document, rest),
                                  QStringLiteral("rest"));
        text.ShowOffset(game.scriptOffset + 0x1000);
        QCOMPARE(Find<QLabel>(text, "lblMissing").text(),
                 QStringLiteral("Every code on this page is in the table."));
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::FindDictionaryWindowTest)
#include "FindDictionaryWindowTest.moc"
