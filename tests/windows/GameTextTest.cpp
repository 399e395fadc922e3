// Open Game File, Relative Search and Game Text together: a generated game file is opened and
// searched, a start code is put into the Table Order, and the game text follows every change;
// then the failures: a path that is no readable file, a file cut short during a search, Cancel.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <QScopeGuard>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <random>

#include "Session.h"
#include "codemap/CodeMapModel.h"
#include "codemap/CodeMapWindow.h"
#include "core/table/DocumentCommand.h"
#include "gametext/GameTextWindow.h"
#include "search/RelativeSearchWindow.h"
#include "support/EntryKinds.h"

namespace glyphwright::test {
namespace {

// こんにちは as Hiragana places.
constexpr std::uint8_t kWord[] = {9, 45, 21, 16, 25};
constexpr std::uint64_t kFileSize = 0x8000;
constexpr std::uint64_t kBase20At[] = {0x100, 0x1100, 0x2100, 0x3100, 0x4100};
constexpr std::uint64_t kBase60At = 0x5000;  // a chance match: once
constexpr std::uint64_t kBaseD0At = 0x6000;  // a set from D0 would run past FF

// Where the search thread waits until the test lets it on. The test's guard opens it however the
// test ends, so that a failed check cannot leave the thread, and the window joining it, waiting
// forever.
class Gate final {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }
    void Open() {
        {
            const std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

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
        // 8E lies past the last code laid (52): the file would not hold it.
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("けをなたの<8E><D0>")),
                 qPrintable(GameTextRow(session, 0)));

        // The selected line is that set: its start is set, and no line is added.
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        const QStringList lines = session.Lines();
        Click(SearchWindow(session), "cmdUseStart");
        QCOMPARE(session.Lines(), lines);
        QCOMPARE(session.order.StartOf(0), 0x20);
        QVERIFY(GameTextRow(session, 0).startsWith(QStringLiteral("こんにちは")));
        QCOMPARE(mapText(0x20), QStringLiteral("あ"));

        // From start code 30 the file begins after こ (29): the game text marks it as a code the
        // file will not hold, as the code map dims it.
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "30");
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("<29>んにちは")),
                 qPrintable(GameTextRow(session, 0)));
        QVERIFY2(Status(text, "lblTable").contains(QStringLiteral("<XX>")),
                 qPrintable(Status(text, "lblTable")));
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "10");
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

    // Every change of the table reads the bytes again: a file changed in place shows its new
    // bytes, and one that changed size is told, never shown as it was.
    void theGameTextReadsTheFileAgainOnEveryChange() {
        QTemporaryDir folder;
        const QString path = WriteGameFile(folder);
        Session session;
        OpenGameFile(session, path);
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "20");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        QVERIFY(!GameTextRow(session, 0).startsWith(QStringLiteral("こんにちは")));

        {
            std::fstream file(path.toStdString(), std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(0);
            const char hello[] = {0x29, 0x4D, 0x35, 0x30, 0x39};  // こんにちは from 20
            file.write(hello, sizeof hello);
        }
        session.InsertSingle("10", QStringLiteral("X"));
        QVERIFY2(GameTextRow(session, 0).startsWith(QStringLiteral("こんにちは")),
                 qPrintable(GameTextRow(session, 0)));

        std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << "ZZZZ";
        session.InsertSingle("11", QStringLiteral("Y"));
        QVERIFY2(Status(text, "lblTable").contains(QStringLiteral("changed size")),
                 qPrintable(Status(text, "lblTable")));
        QCOMPARE(Find<QTableView>(text, "tblText").model()->rowCount(), 0);
    }

    // The document owns the game file: New closes it in every window and the search forgets what
    // it said; a project opened brings its own file, and the old status goes with the old work.
    void newAndOpenCloseTheGameFileEverywhere() {
        QTemporaryDir folder;
        const QString path = WriteGameFile(folder);
        const QString project = folder.filePath(QStringLiteral("p.gwproj"));
        Session session;
        OpenGameFile(session, path);
        session.user.pathAnswers.push_back(project.toStdString());
        Find<QAction>(session.main(), "actionSaveProjectAs").trigger();
        Search(session, QStringLiteral("こんにちは"));
        QVERIFY(!Status(SearchWindow(session), "lblStatus").isEmpty());

        Find<QAction>(session.main(), "actionNewProject").trigger();
        QVERIFY(!session.document.GameFileOpen().has_value());
        QVERIFY(session.document.Contents().gameFilePath.empty());
        QCOMPARE(Status(SearchWindow(session), "lblStatus"), QString());
        QCOMPARE(Results(session).rowCount(), 0);
        QVERIFY(!Find<QPushButton>(SearchWindow(session), "cmdSearch").isEnabled());
        QVERIFY(Status(SearchWindow(session), "lblFile").startsWith(QStringLiteral("No game file")));

        OpenGameFile(session, path);
        Search(session, QStringLiteral("こんにちは"));
        QVERIFY(!Status(SearchWindow(session), "lblStatus").isEmpty());
        session.user.saveDiscardCancelAnswers.push_back(WindowQueries::Choice::Discard);
        session.user.openAnswers.push_back(project.toStdString());
        Find<QAction>(session.main(), "actionOpenProject").trigger();
        QVERIFY(session.user.messages.empty());
        QVERIFY(session.document.GameFileOpen().has_value());
        QCOMPARE(Status(SearchWindow(session), "lblStatus"), QString());
        QVERIFY(Find<QPushButton>(SearchWindow(session), "cmdSearch").isEnabled());
    }

    // A font of two-byte codes found little-endian from 8120: its start is usable at once, as the
    // stored code 2081, and the Table Order takes the game's byte order in the same undo step.
    void aTwoByteStartIsUsedAtOnce() {
        QTemporaryDir folder;
        std::vector<char> bytes(0x1000, 0);
        for (const std::size_t at : {std::size_t{0x100}, std::size_t{0x400}, std::size_t{0x900}}) {
            for (std::size_t i = 0; i < std::size(kWord); ++i) {
                const int value = 0x8120 + kWord[i];
                bytes[at + 2 * i] = static_cast<char>(value & 0xFF);
                bytes[at + 2 * i + 1] = static_cast<char>(value >> 8);
            }
        }
        const QString path = folder.filePath("wide.bin");
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        Session session;
        OpenGameFile(session, path);
        auto& width = Find<QComboBox>(SearchWindow(session), "cmbWidth");
        width.setFocus();
        QTest::keyClick(&width, Qt::Key_Down);  // two bytes, little-endian
        Search(session, QStringLiteral("こんにちは"));
        QAbstractItemModel& results = Results(session);
        int hiragana = -1;
        for (int row = 0; row < results.rowCount(); ++row) {
            if (Cell(results, row, 1) == QStringLiteral("Hiragana")) hiragana = row;
        }
        QVERIFY(hiragana >= 0);
        QCOMPARE(Cell(results, hiragana, 0), QStringLiteral("3"));
        QCOMPARE(Cell(results, hiragana, 2), QStringLiteral("2081"));
        QVERIFY(results.index(hiragana, 2).data(Qt::ForegroundRole).isNull());  // not greyed

        Find<QTreeView>(SearchWindow(session), "tvwResults")
            .setCurrentIndex(results.index(hiragana, 0));
        Click(SearchWindow(session), "cmdUseStart");
        QVERIFY(session.user.messages.empty());
        QCOMPARE(session.Lines(), QStringList{QStringLiteral("Hiragana")});
        QCOMPARE(session.order.StartCodeOf(0), TableCode::TwoByte(0x2081));
        QCOMPARE(session.document.TwoByteOrder(), CodeOrder::LittleEndian);
        QVERIFY2(Status(SearchWindow(session), "lblStatus").contains(QStringLiteral("2081")),
                 qPrintable(Status(SearchWindow(session), "lblStatus")));

        auto& undo = Find<QAction>(session.main(), "actionUndo");
        undo.trigger();
        QVERIFY(session.Lines().isEmpty());
        QCOMPARE(session.document.TwoByteOrder(), CodeOrder::BigEndian);
    }

    // Codes of both widths read longest first, a two-byte code across the end of a row shown in
    // the row it begins; an end code ends the string, a line break reads as a new line; and the
    // text follows the two-byte entries laid from a line of the Table Order.
    void mixedWidthsEndCodesAndLineBreaks() {
        QTemporaryDir folder;
        const std::vector<char> bytes = {0x10, 0x11, 0x10, 0x12, 0x1E, 0x10, 0x1F, 0x00,
                                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10,
                                         0x11, 0x10, 0x00, 0x20, 0x00, 0x21, 0x00};
        const QString path = folder.filePath("mixed.bin");
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        Session session;
        OpenGameFile(session, path);
        DocumentCommand::PutEntries(session.document,
                                    {{TableCode::OneByte(0x10), {"あ"}},  // あ
                                     {TableCode::TwoByte(0x1011), {"漢"}},  // 漢
                                     {TableCode::OneByte(0x1E), {"nl", EntryKind::LineBreak}},
                                     {TableCode::OneByte(0x1F), {"end", EntryKind::EndCode}}})
            .Do(session.document);
        Find<QAction>(session.main(), "actionGameText").trigger();
        QCOMPARE(GameTextRow(session, 0),
                 QStringLiteral("漢あ[12]↵あ{end}[00][00][00][00][00][00][00][00]漢"));
        QCOMPARE(GameTextRow(session, 1), QStringLiteral("あ[00][20][00][21][00]"));

        // Hiragana laid from 0020, big-endian: 0020 あ, 0021 い, over the one-byte reading.
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "0020");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "00");
        QCOMPARE(GameTextRow(session, 1), QStringLiteral("ああい[00]"));
    }

    // The game text reads through what the format chosen writes, as the code map shows it: a
    // UTF-8 file holds the line break, the end code and the linked entry held outside the range
    // Hiragana is laid on, a classic file does not. The status says what the code map says.
    void theGameTextReadsThroughTheFormatChosen() {
        QTemporaryDir folder;
        const std::vector<char> bytes = {0x20, 0x21, char(0xFE), 0x22, char(0xF5), 0x03,
                                         0x20, char(0xFF)};
        const QString path = folder.filePath("kinds.bin");
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        Session session;
        OpenGameFile(session, path);
        DocumentCommand::PutEntries(session.document,
                                    {{TableCode::OneByte(0xFE), {"\\n", EntryKind::LineBreak}},
                                     {TableCode::OneByte(0xFF), {"end", EntryKind::EndCode}},
                                     {TableCode::OneByte(0xF5), test::Linked("color", 1)}})
            .Do(session.document);
        session.IncludeSet("Hiragana");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        QCOMPARE(GameTextRow(session, 0), QStringLiteral("あい<FE>う<F5><03>あ<FF>"));
        QVERIFY(Status(text, "lblTable").contains(QStringLiteral("20 to 51")));

        session.document.SetTableFile(folder.filePath("kinds.tbl").toStdString(), "utf8");
        QCOMPARE(GameTextRow(session, 0), QStringLiteral("あい↵う[color $03]あ{end}"));
        session.windows.ShowCodeMap();
        CodeMapWindow& map = Existing(session.windows.Map(), "frmCodeMap");
        const QString words = Status(map, "lblRange");
        QVERIFY2(Status(text, "lblTable").contains(words), qPrintable(Status(text, "lblTable")));
        // The code map marks the kinds it shows, each with its line in the key.
        QVERIFY(Find<QLabel>(map, "lblKeyLinked").isVisibleTo(&map));
        QVERIFY(Find<QLabel>(map, "lblKeyEndCode").isVisibleTo(&map));
        QVERIFY(!Find<QLabel>(map, "lblKeySwitch").isVisibleTo(&map));
        const QModelIndex colourCell = map.Model().IndexOf(0xF5);
        QCOMPARE(colourCell.data(CodeMapModel::KindRole).toInt(),
                 static_cast<int>(EntryKind::Linked));
        QVERIFY(colourCell.data(Qt::ToolTipRole).toString().contains(
            QStringLiteral("1 byte of parameters")));
    }

    // A group with more hits than offsets kept says how many it does not list, and a start below
    // 00 is called that, not a run past FF.
    void hiddenHitsAreCountedAndAStartBelow00IsNamed() {
        QTemporaryDir folder;
        const QString path = WriteGameFile(folder);
        {
            std::fstream file(path.toStdString(), std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(0x7000);
            for (const std::uint8_t letter : kWord) file.put(static_cast<char>(letter - 3));
        }
        Session session;
        OpenGameFile(session, path);
        SearchWindow(session).SetSearchOptions({.examplesPerGroup = 2});
        Search(session, QStringLiteral("こんにちは"));
        QAbstractItemModel& results = Results(session);
        const QAbstractItemModelTester checks(
            &results, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(Cell(results, 0, 0), QStringLiteral("5"));
        const QModelIndex top = results.index(0, 0);
        QCOMPARE(results.rowCount(top), 3);
        QCOMPARE(Cell(results, 1, 0, top), QStringLiteral("00001100"));
        QCOMPARE(Cell(results, 2, 0, top), QStringLiteral("and 3 more"));

        int below = -1;
        for (int row = 0; row < results.rowCount(); ++row) {
            if (Cell(results, row, 2) == QStringLiteral("-03 (runs before 00)")) below = row;
        }
        QVERIFY2(below >= 0, qPrintable(Cell(results, results.rowCount() - 1, 2)));
        Find<QTreeView>(SearchWindow(session), "tvwResults")
            .setCurrentIndex(results.index(below, 0));
        Click(SearchWindow(session), "cmdUseStart");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY2(session.user.messages[0].text.find("before 00") != std::string::npos,
                 session.user.messages[0].text.c_str());
        QVERIFY(session.Lines().isEmpty());
        // Every kana set is searched: Katakana lays the same sounds on the same places as
        // Hiragana, so each hit and start is counted for both.
        QVERIFY2(Status(SearchWindow(session), "lblStatus")
                     .startsWith(QStringLiteral("16 hits, 8 start codes")),
                 qPrintable(Status(SearchWindow(session), "lblStatus")));
    }

    // An offset typed into Game Text: too many digits is called too large, not "not a number",
    // and one past the end is told against the last offset, in hex as both are typed.
    void offsetsTypedAreToldInTheirOwnTerms() {
        QTemporaryDir folder;
        Session session;
        OpenGameFile(session, WriteGameFile(folder));
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        QVERIFY2(Status(text, "lblFile").endsWith(QStringLiteral("(32768 bytes)")),
                 qPrintable(Status(text, "lblFile")));
        for (const char* typed : {"FFFFFFFFFFFFFFFFF", "8000", "G1"}) {
            Retype(Find<QLineEdit>(text, "txtOffset"), QString::fromLatin1(typed));
            Click(text, "cmdShow");
        }
        QCOMPARE(session.user.messages.size(), std::size_t{3});
        QVERIFY2(session.user.messages[0].text.find("larger than any file") != std::string::npos,
                 session.user.messages[0].text.c_str());
        QVERIFY2(
            session.user.messages[1].text.find("whose last offset is 7FFF") != std::string::npos,
            session.user.messages[1].text.c_str());
        QVERIFY(session.user.messages[2].text.find("not a hexadecimal number") !=
                std::string::npos);
    }

    // A long path shows its beginning and its end, the middle left out, and all of it as the
    // tooltip, in both windows that name the file.
    void aLongPathIsCutInTheMiddle() {
        QTemporaryDir folder;
        const QString deep = folder.filePath(QString(200, u'd'));
        QVERIFY(QDir().mkpath(deep));
        QTemporaryDir inner(deep + QStringLiteral("/XXXXXX"));
        const QString path = WriteGameFile(inner);
        Session session;
        OpenGameFile(session, path);
        Find<QAction>(session.main(), "actionGameText").trigger();
        GameTextWindow& text = Existing(session.windows.Text(), "frmGameText");
        for (QWidget* window :
             {static_cast<QWidget*>(&text), static_cast<QWidget*>(&SearchWindow(session))}) {
            QLabel& label = Find<QLabel>(*window, "lblFile");
            QCOMPARE(label.toolTip(), path + QStringLiteral(" (32768 bytes)"));
            QVERIFY2(label.text().contains(QChar(0x2026)), qPrintable(label.text()));
            QVERIFY(label.text().startsWith(path.left(3)));
            QVERIFY(label.text().endsWith(QStringLiteral("game.bin (32768 bytes)")));
            QVERIFY(label.fontMetrics().horizontalAdvance(label.text()) <=
                    label.contentsRect().width());
        }
    }

    void cancelStopsTheSearchAndTheWindowAnswersMeanwhile() {
        QTemporaryDir folder;
        Session session;
        OpenGameFile(session, WriteGameFile(folder));
        RelativeSearchWindow& window = SearchWindow(session);
        const auto held = std::make_shared<Gate>();
        const auto letGo = qScopeGuard([held] { held->Open(); });
        window.SetSearchOptions({.blockSize = 1024}, [held](std::uint64_t) { held->Wait(); });
        Retype(Find<QLineEdit>(window, "txtWord"), QStringLiteral("こんにちは"));
        Click(window, "cmdSearch");
        QVERIFY(window.IsSearching());
        QVERIFY(!Find<QPushButton>(window, "cmdSearch").isEnabled());
        Click(window, "cmdCancel");  // while the search is held inside a block
        held->Open();
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
