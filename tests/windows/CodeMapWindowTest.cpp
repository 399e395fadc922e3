// The code map window: opened with Ctrl+M, following each kind of change at once, coloured by the
// line that lays each code, failing in MAKE TABLE's own words, selecting lines quietly.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QScrollBar>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QTableView>
#include <QTest>

#include "Session.h"
#include "codemap/CodeMapModel.h"
#include "codemap/CodeMapWindow.h"
#include "codemap/TextPictures.h"
#include "core/table/DocumentCommand.h"

namespace glyphwright::test {
namespace {

CodeMapWindow& OpenMap(Session& session) {
    session.main().activateWindow();
    if (!QTest::qWaitForWindowActive(&session.main())) throw std::runtime_error("not active");
    QTest::keyClick(&session.main(), Qt::Key_M, Qt::ControlModifier);
    return Existing(session.windows.Map(), "frmCodeMap");
}

QTableView& Grid(CodeMapWindow& map) {
    return Find<QTableView>(map, "tblCodeMap");
}

QVariant At(CodeMapWindow& map, int code, int role = Qt::DisplayRole) {
    return map.Model().IndexOf(code).data(role);
}

int MapCode(const QModelIndex& index) {
    return CodeMapModel::CodeOf(index);
}

QString Words(CodeMapWindow& map, const char* label) {
    return Find<QLabel>(map, label).text();
}

QString Duplicates(CodeMapWindow& map) {
    return Find<QLabel>(map, "lblDuplicates").text();
}

// Types into the start-code box, the main window in front as it would be for the user.
void TypeStart(Session& session, const QString& code) {
    session.main().activateWindow();
    if (!QTest::qWaitForWindowActive(&session.main())) throw std::runtime_error("not active");
    Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), code);
}

}  // namespace

class CodeMapWindowTest final : public QObject {
    Q_OBJECT

private slots:
    // scripts/packages.txt installs Noto Sans CJK, so kana measure the same on every machine.
    void cellsTakeAJapaneseFace() {
        const QFont font = CodeMapModel::CellFont();
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Noto Sans CJK JP"));
        QVERIFY(QFontMetrics(font).inFont(QChar(0x3042)));  // あ
    }

    // The cells' texts are drawn once and kept, but not without end: paging through a large
    // table keeps the newest, and a text dropped is drawn again the same when it comes back.
    void textPicturesStayBoundedAndDrawAgainWhatWasDropped() {
        TextPictures pictures;
        const QFont font = CodeMapModel::CellFont();
        const QImage first = pictures.Get(QStringLiteral("亜"), font, Qt::black, 1).toImage();
        for (int i = 1; i <= TextPictures::kKept; ++i)
            (void)pictures.Get(QString::number(i), font, Qt::black, 1);
        QCOMPARE(pictures.Size(), TextPictures::kKept);
        QCOMPARE(pictures.Get(QStringLiteral("亜"), font, Qt::black, 1).toImage(), first);
        QCOMPARE(pictures.Size(), TextPictures::kKept);
    }

    void opensWithCtrlMHidesOnCloseAndKeepsItsPlace() {
        Session session;
        QVERIFY(session.windows.Map() == nullptr);  // made on first use
        CodeMapWindow& map = OpenMap(session);
        QVERIFY(map.isVisible());
        QVERIFY(session.windows.ExistingWindows().back() == &map);
        map.move(120, 90);
        const QPoint place = map.pos();

        map.close();
        QVERIFY(!map.isVisible());
        QCOMPARE(session.windows.Map(), &map);  // hidden, not discarded
        session.IncludeSet("0-9");              // followed once shown again
        TypeStart(session, "00");
        QCOMPARE(&OpenMap(session), &map);
        QVERIFY(map.isVisible());
        QCOMPARE(map.pos(), place);
        QCOMPARE(At(map, 0x00).toString(), QStringLiteral("0"));

        session.windows.CloseAll();  // the exit sequence destroys it with the others
        QVERIFY(session.windows.Map() == nullptr);
    }

    // The map shows the codes the format last chosen writes: the classic file keeps to the range
    // laid, a UTF-8 one holds every entry, laid or not; the key names the format.
    void theCodesTheChosenFormatWritesAreNotDimmed() {
        Session session;
        CodeMapWindow& map = OpenMap(session);
        session.IncludeSet("0-9");
        session.InsertSingle("C0", "ー");
        TypeStart(session, "10");
        QVERIFY(At(map, 0x19, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(!At(map, 0xC0, CodeMapModel::WrittenRangeRole).toBool());
        QCOMPARE(Words(map, "lblKeyOutOfRange"),
                 QStringLiteral("Dimmed: not written to a classic file"));

        session.user.chosenFilter = 1;
        session.user.pathAnswers.push_back((QDir::tempPath() + "/codemap-utf8.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QVERIFY(session.user.messages.empty());
        QVERIFY(At(map, 0x19, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(At(map, 0xC0, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(!At(map, 0xC1, CodeMapModel::WrittenRangeRole).toBool());
        QCOMPARE(Words(map, "lblKeyOutOfRange"),
                 QStringLiteral("Dimmed: not written to a UTF-8 file"));
        // Its duplicates are the whole table's, as MAKE TABLE's warning names them.
        session.InsertSingle("C1", "ー");
        QVERIFY(Duplicates(map).contains(QStringLiteral("ー at C0 and C1")));

        // With no set laid, the UTF-8 file still holds the entry: no failure to show.
        ClickLine(session.list(), 0);
        Click(session.EnterHexNum(), "cmdCancel");
        Click(session.main(), "cmdRemove");
        TypeStart(session, "");
        QVERIFY(At(map, 0xC0, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(Words(map, "lblRange").startsWith(QStringLiteral("Every code that holds")));
        QFile::remove(QDir::tempPath() + "/codemap-utf8.tbl");
    }

    void followsEveryKindOfChangeAtOnceWithOneRepaint() {
        Session session;
        CodeMapWindow& map = OpenMap(session);
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        PaintCounter paints(*Grid(map).viewport());
        const auto settled = [&paints] {
            paints.count = 0;
            QCoreApplication::processEvents();
            return paints.count;
        };

        session.IncludeSet("Hiragana");  // no start code yet: MAKE TABLE would ask for one
        QVERIFY(Words(map, "lblRange").startsWith(QStringLiteral("No start code was given.")));
        QCOMPARE(At(map, 0x10).toString(), QString());
        settled();

        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("1"));
        QCOMPARE(At(map, 0x01).toString(), QStringLiteral("あ"));
        QCOMPARE(settled(), 1);
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("0"));
        QCOMPARE(At(map, 0x10).toString(), QStringLiteral("あ"));
        QCOMPARE(At(map, 0x01).toString(), QString());
        QCOMPARE(settled(), 1);
        QCOMPARE(Words(map, "lblRange"), QStringLiteral("Codes 10–41 will be written."));

        session.IncludeSet("Katakana");
        QCOMPARE(At(map, 0x42).toString(), QStringLiteral("ア"));
        QCOMPARE(settled(), 1);

        session.GiveStart(1, "80");
        QCOMPARE(At(map, 0x80).toString(), QStringLiteral("ア"));
        QCOMPARE(At(map, 0x42).toString(), QString());
        QCOMPARE(Words(map, "lblRange"), QStringLiteral("Codes 10–B5 will be written."));

        // A single entry inside Hiragana: MAKE TABLE will lay い over it, an overlap; one above
        // the range: held, dimmed.
        session.InsertSingle("11", "ー");
        QCOMPARE(At(map, 0x11).toString(), QStringLiteral("い"));
        QVERIFY(At(map, 0x11, CodeMapModel::OverlapRole).toBool());
        QVERIFY(At(map, 0x11, Qt::ToolTipRole).toString().contains(QStringLiteral("ー")));
        session.InsertSingle("C0", "ー");
        QCOMPARE(At(map, 0xC0).toString(), QStringLiteral("ー"));
        QCOMPARE(At(map, 0xC0, CodeMapModel::SourceRole).toInt(), int(CellSource::Held));
        QVERIFY(!At(map, 0xC0, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(At(map, 0xB5, CodeMapModel::WrittenRangeRole).toBool());
        QVERIFY(!At(map, 0x0F, CodeMapModel::WrittenRangeRole).toBool());
        QCOMPARE(Duplicates(map), QStringLiteral("No text stands at more than one code."));
        settled();

        // MAKE TABLE stores い over the entry: no longer an overlap.
        session.user.pathAnswers.push_back((QDir::tempPath() + "/codemap-test.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QVERIFY(session.user.messages.empty());
        QVERIFY(!At(map, 0x11, CodeMapModel::OverlapRole).toBool());
        QCOMPARE(settled(), 1);

        ClickLine(session.list(), 1);
        Click(session.main(), "cmdRemove");
        QCOMPARE(At(map, 0x80).toString(), QStringLiteral("ア"));  // held now, from the run
        QCOMPARE(At(map, 0x80, CodeMapModel::SourceRole).toInt(), int(CellSource::Held));
        QCOMPARE(Words(map, "lblRange"), QStringLiteral("Codes 10–41 will be written."));
        QFile::remove(QDir::tempPath() + "/codemap-test.tbl");
    }

    void coloursByLineOverlapsDuplicatesAndNames() {
        Session session;
        session.IncludeSet("0-9");
        session.GiveStart(0, "20");
        session.IncludeSet("Uppercase Alphabet");
        session.GiveStart(1, "25");
        session.InsertSingle("10", "A");
        TypeStart(session, "00");
        CodeMapWindow& map = OpenMap(session);

        QListView& legend = Find<QListView>(map, "lstLegend");
        // The legend tells rows that come, go and change as they do, which the tester holds it to.
        QAbstractItemModelTester tester(legend.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QColor first = map.Model().ColourOfLine(0);
        const QColor second = map.Model().ColourOfLine(1);
        QVERIFY(first != second);

        // What the grid draws: each cell's ground in its line's colour, a red corner on an
        // overlap, a grey veil beyond the range, the text in the middle.
        QTableView& grid = Grid(map);
        const QImage drawn = grid.viewport()->grab().toImage();
        const auto pixel = [&](int code, bool right, int inset = 3) {
            const QRect cell = grid.visualRect(map.Model().IndexOf(code));
            return drawn.pixel(right ? cell.right() - inset : cell.left() + inset,
                               cell.top() + inset);
        };
        QCOMPARE(pixel(0x20, false), first.rgb());
        QCOMPARE(pixel(0x2A, false), second.rgb());
        QCOMPARE(pixel(0x2A, true), second.rgb());
        QCOMPARE(pixel(0x25, true, 4), qRgb(0xD0, 0x20, 0x20));
        QCOMPARE(pixel(0x25, false), second.rgb());
        const QRgb veiled = pixel(0x50, false);
        QVERIFY(veiled != grid.palette().color(QPalette::Base).rgb() && qRed(veiled) > 0xC0);
        const QRect letter = grid.visualRect(map.Model().IndexOf(0x2A));
        int ink = 0;
        for (int x = letter.left(); x <= letter.right(); ++x) {
            for (int y = letter.top(); y <= letter.bottom(); ++y) {
                ink += drawn.pixelColor(x, y).lightness() < 96 ? 1 : 0;
            }
        }
        QVERIFY(ink > 10);  // "F" of line 2
        QCOMPARE(At(map, 0x20, Qt::BackgroundRole).value<QColor>(), first);
        QCOMPARE(At(map, 0x2A, Qt::BackgroundRole).value<QColor>(), second);
        QVERIFY(!At(map, 0x10, Qt::BackgroundRole).isValid());  // the entry: no line's colour
        QCOMPARE(At(map, 0x10, CodeMapModel::SourceRole).toInt(), int(CellSource::Held));
        QCOMPARE(legend.model()->index(0, 0).data(Qt::DecorationRole).value<QColor>(), first);
        QCOMPARE(legend.model()->index(1, 0).data(Qt::DecorationRole).value<QColor>(), second);
        QCOMPARE(legend.model()->index(1, 0).data().toString(),
                 QStringLiteral("2  Uppercase Alphabet"));
        QCOMPARE(legend.model()->rowCount(), 2);  // the entry's line has no colour on the map

        // The letters lie over the digits from 25 to 29; the tooltip names both lines.
        QVERIFY(At(map, 0x25, CodeMapModel::OverlapRole).toBool());
        QVERIFY(At(map, 0x29, CodeMapModel::OverlapRole).toBool());
        QVERIFY(!At(map, 0x24, CodeMapModel::OverlapRole).toBool());
        QVERIFY(!At(map, 0x2A, CodeMapModel::OverlapRole).toBool());
        QCOMPARE(At(map, 0x25, Qt::ToolTipRole).toString(),
                 QStringLiteral("Code 25\nBytes: 41\nText: A\nOverlap: line 2 (Uppercase "
                                "Alphabet) lays this code over line 1 (0-9)"));
        QCOMPARE(Words(map, "lblRange"),
                 QStringLiteral("Codes 00–3E will be written; 00–0F always, even when empty."));
        QCOMPARE(Duplicates(map),
                 QStringLiteral("The same text at more than one code: A at 10 and 25."));

        // Many duplicates: the first few in words, the rest counted.
        session.IncludeSet("Uppercase Alphabet");  // 3F-58: every letter once more
        QVERIFY(Duplicates(map).startsWith(QStringLiteral(
            "The same text at more than one code: A at 10, 25 and 3F; B at 26 and 40; ")));
        QVERIFY(Duplicates(map).endsWith(QStringLiteral(" more.")));
        // As many as fit the two lines under the grid: none is cut off in the middle, also
        // once the window is narrower.
        const QSize full = map.size();
        for (const int width : {full.width(), full.width() * 3 / 4}) {
            map.resize(width, map.height());
            QLabel& words = Find<QLabel>(map, "lblDuplicates");
            const auto fits = [&words] {
                const QRect room(0, 0, words.contentsRect().width(), 10000);
                return words.fontMetrics()
                           .boundingRect(room, Qt::TextWordWrap, words.text())
                           .height() <= words.contentsRect().height();
            };
            QTRY_VERIFY2(fits(), qPrintable(words.text()));
            QVERIFY(words.text().contains(QStringLiteral(" more")) ||
                    words.text().contains(QStringLiteral("26 texts")));
        }
        map.resize(full);
        // The map fits a 1366×768 screen with a panel: smaller than the grid, it scrolls.
        QVERIFY2(map.minimumSizeHint().width() <= 1000 && map.minimumSizeHint().height() <= 600,
                 qPrintable(QStringLiteral("%1×%2")
                                .arg(map.minimumSizeHint().width())
                                .arg(map.minimumSizeHint().height())));
        ClickLine(session.list(), 3);
        Click(session.main(), "cmdRemove");

        // A line keeps its colour when a line above it goes.
        ClickLine(session.list(), 0);
        Click(session.main(), "cmdRemove");
        QCOMPARE(At(map, 0x2A, Qt::BackgroundRole).value<QColor>(), second);
        QCOMPARE(legend.model()->index(0, 0).data(Qt::DecorationRole).value<QColor>(), second);
        QCOMPARE(legend.model()->index(0, 0).data().toString(),
                 QStringLiteral("1  Uppercase Alphabet"));

        // Screen readers hear each cell's code and text.
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&grid);
        QVERIFY(reader != nullptr && reader->tableInterface() != nullptr);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Code Map"));
        QCOMPARE(reader->tableInterface()->cellAt(2, 5)->text(QAccessible::Name),
                 QStringLiteral("Code 25, A"));
        QCOMPARE(reader->tableInterface()->cellAt(15, 15)->text(QAccessible::Name),
                 QStringLiteral("Code FF, empty"));
    }

    void failsInMakeTablesWordsAndMarksTheLineChangingNothing() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.GiveStart(1, "F0");
        session.InsertSingle("05", "ー");
        TypeStart(session, "10");
        const Workspace before = session.workspace;
        CodeMapWindow& map = OpenMap(session);
        const QAbstractItemModel& legend = *Find<QListView>(map, "lstLegend").model();

        // The map says what MAKE TABLE then says.
        Click(session.main(), "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(Words(map, "lblRange").toStdString(), session.user.messages[0].text);
        QVERIFY(Words(map, "lblRange").contains(QStringLiteral("line 2")));
        // The legend holds the line at fault alone, marked, its tooltip the reason.
        QCOMPARE(legend.rowCount(), 1);
        QCOMPARE(legend.index(0, 0).data().toString(), QStringLiteral("2  Katakana"));
        QVERIFY(legend.index(0, 0).data(Qt::ForegroundRole).isValid());
        QCOMPARE(legend.index(0, 0).data(Qt::ToolTipRole).toString(), Words(map, "lblRange"));
        for (int code = 0; code < 256; ++code) {
            QVERIFY(!At(map, code, CodeMapModel::WrittenRangeRole).toBool());
            QVERIFY(At(map, code, CodeMapModel::SourceRole).toInt() != int(CellSource::Laid));
        }
        QCOMPARE(At(map, 0x05).toString(), QStringLiteral("ー"));  // the table as it is

        TypeStart(session, "G");
        Click(session.main(), "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QCOMPARE(Words(map, "lblRange").toStdString(), session.user.messages[1].text);
        QCOMPARE(legend.rowCount(), 0);

        ClickLine(session.list(), 0);
        Click(session.main(), "cmdRemove");
        ClickLine(session.list(), 0);
        Click(session.main(), "cmdRemove");
        // Nothing laid and an entry held: the Save dialog comes first, as a text format would
        // write the entry; the classic one, chosen, is refused in the words the map shows.
        TypeStart(session, "10");
        const QString refused = QDir::tempPath() + "/codemap-refused.tbl";
        session.user.pathAnswers.push_back(refused.toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{3});
        QCOMPARE(Words(map, "lblRange").toStdString(), session.user.messages[2].text);
        QVERIFY(!QFile::exists(refused));

        // Showing the map and following all that changed nothing: MAKE TABLE never got as far.
        QVERIFY(session.workspace.TableText == before.TableText);
        QCOMPARE(session.workspace.LastCode, before.LastCode);
    }

    void cellsLegendAndKeysSelectLinesQuietly() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("0-9");
        TypeStart(session, "10");
        CodeMapWindow& map = OpenMap(session);
        QTableView& grid = Grid(map);
        QListView& legend = Find<QListView>(map, "lstLegend");
        map.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&map));

        // Tab leaves the grid for the legend, and comes back; arrows move between cells.
        grid.setFocus();
        grid.setCurrentIndex(map.Model().IndexOf(0x00));
        QTest::keyClick(&grid, Qt::Key_Tab);
        QVERIFY(legend.hasFocus());
        QTest::keyClick(&legend, Qt::Key_Backtab);
        QVERIFY(grid.hasFocus());
        for (int i = 0; i < 3; ++i) QTest::keyClick(&grid, Qt::Key_Right);
        for (int i = 0; i < 4; ++i) QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(MapCode(grid.currentIndex()), 0x43);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(session.state.selection.SelectedLine(), 1);  // 0-9 lays 42-4B

        const QRect cell = grid.visualRect(map.Model().IndexOf(0x10));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        QVERIFY(At(map, 0x10, CodeMapModel::SelectedLineRole).toBool());
        QVERIFY(!At(map, 0x43, CodeMapModel::SelectedLineRole).toBool());

        ClickLine(legend, 1);
        QCOMPARE(session.state.selection.SelectedLine(), 1);
        QCOMPARE(session.list().currentIndex().row(), 1);
        // Only the user's own choice in the list opens the relative start dialog.
        QVERIFY(session.windows.EnterHexNum() == nullptr);
        ClickLine(session.list(), 0);
        QVERIFY(session.windows.EnterHexNum() != nullptr);
        QCOMPARE(legend.currentIndex().row(), 0);  // the legend follows the list
    }

    // The key lines of the entry kinds come in as the table gains them, with the window open; the
    // room they take is not taken from the grid, whose last column and row stay whole.
    void theKindsKeyLeavesTheWholeGridInView() {
        Session session;
        CodeMapWindow& map = OpenMap(session);
        TableEntry colour{"[color]", EntryKind::Linked};
        colour.parameters = 1;
        TableEntry kanji{"", EntryKind::TableSwitch};
        kanji.table = "kanji";
        kanji.count = 2;
        DocumentCommand::PutEntries(session.document,
                                    {{TableCode::OneByte(0x00), {"あ"}},
                                     {TableCode::OneByte(0xF0), kanji},
                                     {TableCode::OneByte(0xF5), colour},
                                     {TableCode::OneByte(0xFE), {"\\n", EntryKind::LineBreak}},
                                     {TableCode::OneByte(0xFF), {"end", EntryKind::EndCode}}})
            .Do(session.document);
        QTRY_VERIFY(Find<QLabel>(map, "lblKeySwitch").isVisibleTo(&map));
        QTableView& grid = Grid(map);
        QTRY_VERIFY2(grid.columnViewportPosition(15) + grid.columnWidth(15) <=
                         grid.viewport()->width(),
                     qPrintable(QStringLiteral("column 15 ends at %1 of %2")
                                    .arg(grid.columnViewportPosition(15) + grid.columnWidth(15))
                                    .arg(grid.viewport()->width())));
        QTRY_VERIFY(grid.rowViewportPosition(15) + grid.rowHeight(15) <=
                    grid.viewport()->height());
    }

    // A page per first byte of two-byte codes, chosen by keys; the pages that hold codes listed
    // with their counts and gone to from the list; the map follows a change on the page shown.
    void pagesOfTwoByteCodesAndTheListOfThoseInUse() {
        Session session;
        const auto put = [&session](std::vector<std::pair<TableCode, TableEntry>> entries) {
            DocumentCommand::PutEntries(session.document, entries).Do(session.document);
        };
        put({{TableCode::OneByte(0x10), {"ー"}},      // ー
             {TableCode::TwoByte(0x8140), {"あ"}},    // あ
             {TableCode::TwoByte(0x81FF), {"い"}},    // い
             {TableCode::TwoByte(0x82A0), {"ア"}}});  // ア
        CodeMapWindow& map = OpenMap(session);
        QComboBox& page = Find<QComboBox>(map, "cboPage");
        QComboBox& inUse = Find<QComboBox>(map, "cboPagesInUse");
        QCOMPARE(page.currentText(), QStringLiteral("One byte (00–FF)"));
        QCOMPARE(At(map, 0x10).toString(), QStringLiteral("ー"));
        QCOMPARE(At(map, 0x40).toString(), QString());
        QCOMPARE(inUse.count(), 2);
        QCOMPARE(inUse.itemText(0), QStringLiteral("Two bytes 8100–81FF (2 codes)"));
        QCOMPARE(inUse.itemText(1), QStringLiteral("Two bytes 8200–82FF (1 code)"));
        QCOMPARE(inUse.currentIndex(), -1);  // the page shown is not one of them

        inUse.setFocus();
        QTest::keyClick(&inUse, Qt::Key_Down);
        QCOMPARE(map.Model().Page(), 0x81);
        QCOMPARE(page.currentText(), QStringLiteral("Two bytes 8100–81FF"));
        QCOMPARE(At(map, 0x40).toString(), QStringLiteral("あ"));
        QCOMPARE(At(map, 0xFF).toString(), QStringLiteral("い"));
        QCOMPARE(At(map, 0x10).toString(), QString());
        QCOMPARE(At(map, 0x40, Qt::ToolTipRole).toString().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Code 8140"));
        QCOMPARE(At(map, 0x40, CodeMapModel::SourceRole).toInt(), int(CellSource::Held));
        QCOMPARE(map.Model().headerData(4, Qt::Vertical, Qt::DisplayRole).toString(),
                 QStringLiteral("814_"));
        QTest::keyClick(&inUse, Qt::Key_Down);
        QCOMPARE(map.Model().Page(), 0x82);
        QCOMPARE(At(map, 0xA0).toString(), QStringLiteral("ア"));
        QCOMPARE(At(map, 0x40).toString(), QString());
        QCOMPARE(inUse.currentIndex(), 1);

        put({{TableCode::TwoByte(0x8242), {"イ"}}});  // イ, on the page shown
        QCOMPARE(At(map, 0x42).toString(), QStringLiteral("イ"));
        QCOMPARE(inUse.itemText(1), QStringLiteral("Two bytes 8200–82FF (2 codes)"));
        QCOMPARE(inUse.currentIndex(), 1);
        put({{TableCode::TwoByte(0x8242), {}}});  // taken away again
        QCOMPARE(At(map, 0x42).toString(), QString());

        page.setFocus();
        QTest::keyClick(&page, Qt::Key_End);
        QCOMPARE(map.Model().Page(), 0xFF);
        QCOMPARE(At(map, 0xA0).toString(), QString());
        QTest::keyClick(&page, Qt::Key_Home);
        QCOMPARE(map.Model().Page(), CodeMapModel::kOneBytePage);
        QCOMPARE(At(map, 0x10).toString(), QStringLiteral("ー"));
        QCOMPARE(At(map, 0x40).toString(), QString());
        QCOMPARE(map.Model().headerData(4, Qt::Vertical, Qt::DisplayRole).toString(),
                 QStringLiteral("4_"));
        QCOMPARE(inUse.currentIndex(), -1);
    }

    // A line laid on two-byte codes alone: the legend lists it with the codes it lays, the map
    // says in MAKE TABLE's own words that a classic file cannot hold them (and writes nothing of
    // them dimmed or not), and a page of two-byte codes shows its last column whole, as the
    // one-byte page does, for all its wider row labels.
    void aTwoByteLineIsListedRefusedByTheClassicFileAndShownWhole() {
        Session session;
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "8140");
        TypeStart(session, "10");
        CodeMapWindow& map = OpenMap(session);
        const QAbstractItemModel& legend = *Find<QListView>(map, "lstLegend").model();
        QCOMPARE(legend.rowCount(), 1);
        QCOMPARE(legend.index(0, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("50 codes on the map"));
        QVERIFY2(Words(map, "lblRange").startsWith(QStringLiteral("The table holds two-byte codes")),
                 qPrintable(Words(map, "lblRange")));
        QVERIFY(!At(map, 0x20, CodeMapModel::WrittenRangeRole).toBool());
        const QString said = Words(map, "lblRange");
        session.user.pathAnswers.push_back((QDir::tempPath() + "/codemap-never.tbl").toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QCOMPARE(said.toStdString(), session.user.messages[0].text);
        // In UTF-8 the same order makes a file: the words say so.
        session.document.SetTableFile("", "utf8");
        QVERIFY(Words(map, "lblRange").startsWith(QStringLiteral("Every code that holds")));

        map.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&map));
        QTableView& grid = Grid(map);
        const auto lastColumnWhole = [&grid] {
            return grid.columnViewportPosition(15) + grid.columnWidth(15) <=
                       grid.viewport()->width() &&
                   grid.horizontalScrollBar()->maximum() == 0;
        };
        QVERIFY(lastColumnWhole());
        QComboBox& page = Find<QComboBox>(map, "cboPage");
        page.setCurrentIndex(page.findData(0x81));
        QCOMPARE(At(map, 0x40).toString(), QStringLiteral("あ"));
        QApplication::processEvents();  // the layout the new row labels ask for
        QVERIFY2(lastColumnWhole(), qPrintable(QStringLiteral("column 15 ends at %1 of %2")
                                                   .arg(grid.columnViewportPosition(15) +
                                                        grid.columnWidth(15))
                                                   .arg(grid.viewport()->width())));
    }

    // A line laid from a two-byte start fills the pages its 16-bit values reach, in the byte order
    // of the project, and moves when that order changes.
    void twoByteLinesFillTheirPagesInTheProjectsByteOrder() {
        Session session;
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "0080");
        DocumentCommand::SetCodeOrder(session.document, CodeOrder::LittleEndian)
            .Do(session.document);
        TypeStart(session, "00");
        CodeMapWindow& map = OpenMap(session);
        QComboBox& page = Find<QComboBox>(map, "cboPage");
        QComboBox& inUse = Find<QComboBox>(map, "cboPagesInUse");
        // 8000, 8001, … stored low byte first: 00 80, 01 80, …: one code on each page.
        QCOMPARE(inUse.itemText(1), QStringLiteral("Two bytes 0100–01FF (1 code)"));
        inUse.setFocus();
        QTest::keyClick(&inUse, Qt::Key_Down);
        QTest::keyClick(&inUse, Qt::Key_Down);
        QCOMPARE(page.currentText(), QStringLiteral("Two bytes 0100–01FF"));
        QCOMPARE(At(map, 0x80).toString(), QStringLiteral("い"));
        QCOMPARE(At(map, 0x80, CodeMapModel::SourceRole).toInt(), int(CellSource::Laid));
        QCOMPARE(At(map, 0x80, CodeMapModel::LineRole).toInt(), 0);
        QCOMPARE(At(map, 0x80, Qt::BackgroundRole).value<QColor>(), map.Model().ColourOfLine(0));

        DocumentCommand::SetCodeOrder(session.document, CodeOrder::BigEndian).Do(session.document);
        QCOMPARE(At(map, 0x80).toString(), QString());
        QCOMPARE(inUse.count(), 1);
        QCOMPARE(inUse.itemText(0).left(19), QStringLiteral("Two bytes 0000–00FF"));
        QTest::keyClick(&page, Qt::Key_Up);
        QCOMPARE(At(map, 0x80).toString(), QStringLiteral("あ"));
        QCOMPARE(At(map, 0x81).toString(), QStringLiteral("い"));
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::CodeMapWindowTest)
#include "CodeMapWindowTest.moc"
