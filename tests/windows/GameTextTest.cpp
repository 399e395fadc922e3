// Open Game File, Relative Search and Game Text together: a generated game file is opened and
// searched, a start code is put into the Table Order, and the game text follows every change;
// then the failures: a path that is no readable file, a file cut short during a search, Cancel.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <fstream>
#include <random>
#include <semaphore>

#include "Session.h"
#include "codemap/CodeMapModel.h"
#include "codemap/CodeMapWindow.h"
#include "gametext/GameTextWindow.h"
#include "search/RelativeSearchWindow.h"

namespace glyphwright::test {
namespace {

// こんにちは as Hiragana places.
constexpr std::uint8_t kWord[] = {9, 45, 21, 16, 25};
constexpr std::uint64_t kFileSize = 0x8000;
constexpr std::uint64_t kBase20At[] = {0x100, 0x1100, 0x2100, 0x3100, 0x4100};
constexpr std::uint64_t kBase60At = 0x5000;  // a chance match: once
constexpr std::uint64_t kBaseD0At = 0x6000;  // a set from D0 would run past FF

// Random bytes with the word planted as a font from 20 would store it, five times, and twice
// more from other bases.
QString WriteGameFile(const QTemporaryDir& folder) {
    std::vector<char> bytes(kFileSize);
    std::mt19937 random(7);
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    const auto plant = [&](std::uint64_t at, int base) {
        for (std::size_t i = 0; i < std::size(kWord); ++i) {
            bytes[at + i] = static_cast<char>(base + kWord[i]);
        }
    };
    for (const std::uint64_t at : kBase20At) plant(at, 0x20);
    plant(kBase60At, 0x60);
    plant(kBaseD0At, 0xD0);
    const QString path = folder.filePath("game.bin");
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void OpenGameFile(Session& session, const QString& path) {
    session.user.openAnswers.push_back(path.toStdString());
    Find<QAction>(session.main(), "actionOpenGameFile").trigger();
}

RelativeSearchWindow& SearchWindow(Session& session) {
    return Existing(session.windows.Search(), "frmRelativeSearch");
}

QAbstractItemModel& Results(Session& session) {
    return *Find<QTreeView>(SearchWindow(session), "tvwResults").model();
}

QString Cell(QAbstractItemModel& model, int row, int column, const QModelIndex& parent = {}) {
    return model.index(row, column, parent).data().toString();
}

// Types the word and presses Search; returns once the search has ended.
void Search(Session& session, const QString& word) {
    RelativeSearchWindow& window = SearchWindow(session);
    Retype(Find<QLineEdit>(window, "txtWord"), word);
    Click(window, "cmdSearch");
    QTRY_VERIFY(!window.IsSearching());
}

QString GameTextRow(Session& session, int row) {
    GameTextWindow& window = Existing(session.windows.Text(), "frmGameText");
    return Cell(*Find<QTableView>(window, "tblText").model(), row, 2);
}

QString Status(QWidget& window, const char* label) {
    return Find<QLabel>(window, label).text();
}

}  // namespace

class GameTextTest final : public QObject {
    Q_OBJECT

private slots:
    void searchUseTheStartCodeAndReadTheTextThroughTheTable() {
        QTemporaryDir folder;
        const QString path = WriteGameFile(folder);
        Session session;
        OpenGameFile(session, path);
        QVERIFY(SearchWindow(session).isVisible());
        const QAbstractItemModelTester checksResults(
            &Results(session), QAbstractItemModelTester::FailureReportingMode::QtTest);
        Search(session, QStringLiteral("こんにちは"));

        // Ranked by how many agree; the start that leaves 00-FF is shown, and marked. Classic
        // Katakana lays the same sounds on the same places, so each start is there twice.
        QAbstractItemModel& results = Results(session);
        QCOMPARE(results.rowCount(), 6);
        QCOMPARE(Cell(results, 1, 1), QStringLiteral("Katakana"));
        QCOMPARE(Cell(results, 1, 2), QStringLiteral("20"));
        QCOMPARE(Cell(results, 0, 0), QStringLiteral("5"));
        QCOMPARE(Cell(results, 0, 1), QStringLiteral("Hiragana"));
        QCOMPARE(Cell(results, 0, 2), QStringLiteral("20"));
        QVERIFY2(Cell(results, 0, 3).contains(QStringLiteral("こんにちは")),
                 qPrintable(Cell(results, 0, 3)));
        QCOMPARE(results.rowCount(results.index(0, 0)), 5);
        QCOMPARE(Cell(results, 4, 0, results.index(0, 0)), QStringLiteral("00004100"));
        QCOMPARE(Cell(results, 2, 2), QStringLiteral("60"));
        QCOMPARE(Cell(results, 4, 2), QStringLiteral("D0 (runs past FF)"));

        // The start code of a set past FF is refused, and changes nothing.
        auto& view = Find<QTreeView>(SearchWindow(session), "tvwResults");
        view.setCurrentIndex(results.index(4, 0));
        Click(SearchWindow(session), "cmdUseStart");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.Lines().isEmpty());

        // The code map, open beside, follows what the search puts into the Table Order.
        session.windows.ShowCodeMap();
        CodeMapWindow& map = Existing(session.windows.Map(), "frmCodeMap");
        const auto mapText = [&map](int code) {
            return map.Model().IndexOf(code).data().toString();
        };
        QCOMPARE(mapText(0x20), QString());

        // With no line of that set selected, the set is added with the start.
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        view.setCurrentIndex(results.index(0, 0));
        Click(SearchWindow(session), "cmdUseStart");
        QCOMPARE(session.Lines(), QStringList{"Hiragana"});
        QCOMPARE(session.order.StartOf(0), 0x20);
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        QVERIFY(session.button("cmdSave").isEnabled());
        QVERIFY(!session.windows.EnterHexNum());  // selected quietly: no start dialog
        QCOMPARE(mapText(0x20), QStringLiteral("あ"));

        Click(SearchWindow(session), "cmdShowText");
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        QVERIFY(text.isVisible());
        const QAbstractItemModelTester checksText(
            Find<QTableView>(text, "tblText").model(),
            QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(Find<QLineEdit>(text, "txtOffset").text(), QStringLiteral("100"));
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("こんにちは")),
                 qPrintable(GameTextRow(session, 0)));

        // The game text follows the Table Order, the start code and the table at once.
        session.GiveStart(0, "21");
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("けを")),
                 qPrintable(GameTextRow(session, 0)));
        QCOMPARE(mapText(0x21), QStringLiteral("あ"));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "");
        QVERIFY(Status(text, "lblTable").contains(QStringLiteral("No start code was given")));
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("[29][4D][35][30][39]")),
                 qPrintable(GameTextRow(session, 0)));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
        session.InsertSingle("8E", QStringLiteral("X"));  // a code no set lays
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("けをなたのX[D0]")),
                 qPrintable(GameTextRow(session, 0)));

        // The selected line is that set: its start is set, and no line is added.
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        const QStringList lines = session.Lines();
        Click(SearchWindow(session), "cmdUseStart");
        QCOMPARE(session.Lines(), lines);
        QCOMPARE(session.order.StartOf(0), 0x20);
        QVERIFY(GameTextRow(session, 0).startsWith(QStringLiteral("こんにちは")));
        QCOMPARE(mapText(0x20), QStringLiteral("あ"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
    }

    void wordsAndPathsThatCannotBeSearchedAreRefusedWithAMessage() {
        QTemporaryDir folder;
        Session session;
        OpenGameFile(session, folder.path());
        OpenGameFile(session, folder.filePath("missing.bin"));
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(session.user.messages[0].text.find("is not a file") != std::string::npos);
        QVERIFY(session.user.messages[1].text.find("No such file or directory") !=
                std::string::npos);
        QVERIFY(!session.windows.Search());

        OpenGameFile(session, WriteGameFile(folder));
        Search(session, QStringLiteral("こ?に"));
        QCOMPARE(session.user.messages.size(), std::size_t{3});
        QVERIFY(session.user.messages[2].text.find("at least three known letters") !=
                std::string::npos);
        QCOMPARE(Results(session).rowCount(), 0);
    }

    void aFileCutShortDuringTheSearchGivesAMessage() {
        QTemporaryDir folder;
        const QString path = WriteGameFile(folder);
        Session session;
        OpenGameFile(session, path);
        SearchWindow(session).SetSearchOptions({.blockSize = 1024}, [&path](std::uint64_t done) {
            if (done < 4096) std::filesystem::resize_file(path.toStdString(), 2048);
        });
        Search(session, QStringLiteral("こんにちは"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages[0].text.find("changed size") != std::string::npos);
        QCOMPARE(Results(session).rowCount(), 0);

        // The game text says the same instead of showing stale bytes.
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        QVERIFY(Status(text, "lblTable").contains(QStringLiteral("changed size")));
        QCOMPARE(Find<QTableView>(text, "tblText").model()->rowCount(), 0);
    }

    void cancelStopsTheSearchAndTheWindowAnswersMeanwhile() {
        QTemporaryDir folder;
        Session session;
        OpenGameFile(session, WriteGameFile(folder));
        RelativeSearchWindow& window = SearchWindow(session);
        std::binary_semaphore held(0);
        window.SetSearchOptions({.blockSize = 1024}, [&held](std::uint64_t) { held.acquire(); });
        Retype(Find<QLineEdit>(window, "txtWord"), QStringLiteral("こんにちは"));
        Click(window, "cmdSearch");
        QVERIFY(window.IsSearching());
        QVERIFY(!Find<QPushButton>(window, "cmdSearch").isEnabled());
        Click(window, "cmdCancel");  // while the search is held inside a block
        held.release();
        QTRY_VERIFY(!window.IsSearching());
        QCOMPARE(Status(window, "lblStatus"), QStringLiteral("The search was cancelled."));
        QCOMPARE(Results(session).rowCount(), 0);
        QVERIFY(Find<QPushButton>(window, "cmdSearch").isEnabled());
        QVERIFY(session.user.messages.empty());
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::GameTextTest)
#include "GameTextTest.moc"
