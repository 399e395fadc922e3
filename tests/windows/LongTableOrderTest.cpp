// Load: a Table Order of 1000 lines built through the real windows (every set, own start codes,
// single entries), a hundred lines removed from its middle, then MAKE TABLE. The file must be
// exactly what a plain second reading of the rules makes of the same actions
// (tests/support/ReferenceTable.h), not what AssembleTable makes of them.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "Session.h"
#include "support/LoadOrder.h"
#include "support/ReferenceTable.h"
#include "core/text/EucJp.h"

namespace glyphwright::test {
namespace {

// The reference lays the sets' EUC-JP members; the table holds them as Unicode text.
CodeTable AsText(const evidence::Table& bytes) {
    CodeTable text;
    for (std::size_t code = 0; code < bytes.size(); ++code) {
        text[code] = bytes[code].empty() ? std::string() : DecodeEucJp(bytes[code]).value();
    }
    return text;
}

QString Hex(int code) {
    return QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
}

// The user scrolls a line into view before clicking it.
void ChooseLine(Session& session, int row) {
    session.list().scrollTo(session.list().model()->index(row, 0));
    ClickLine(session.list(), row);
}

// Where the lines' records and the reference's differ, if they do.
QString FirstRecordDifference(const TableOrder& lines, const evidence::ReferenceOrder& order) {
    for (int i = 0; i < lines.LineCount(); ++i) {
        const auto slot = static_cast<std::size_t>(i) + 1;
        if (lines.SetNameOf(i) != order.names[slot])
            return QStringLiteral("name of line %1").arg(i);
        if (lines.StartOf(i) != order.starts[slot])
            return QStringLiteral("start of line %1").arg(i);
    }
    return {};
}

}  // namespace

class LongTableOrderTest final : public QObject {
    Q_OBJECT

private slots:
    void aThousandLinesWithRemovalsMakeTheReferenceTable() {
        const std::vector<evidence::LoadLine> lines = evidence::MakeLoadOrder(1000);
        Session session;

        for (const evidence::LoadLine& line : lines) {
            if (line.single) {
                session.InsertSingle(Hex(line.code), QString::fromStdString(line.text));
                continue;
            }
            session.IncludeSet(QString::fromStdString(line.name));
            if (line.start != 0) {
                const int row = session.list().model()->rowCount() - 1;
                session.list().scrollTo(session.list().model()->index(row, 0));
                session.GiveStart(row, Hex(line.start));
            }
        }
        QCOMPARE(session.list().model()->rowCount(), 1000);
        QVERIFY(session.user.messages.empty());

        evidence::LoadState expected = evidence::IncludeAll(lines);
        QCOMPARE(FirstRecordDifference(session.order, expected.order), QString());
        QVERIFY(session.workspace.TableText.Texts() == AsText(expected.table));

        // A hundred removals spread over the middle: the lines below each one move up, and their
        // records with them.
        for (int k = 0; k < 100; ++k) {
            const int row = 400 + (k * 37) % 200;
            ChooseLine(session, row);
            Click(session.main(), "cmdRemove");
            expected.order.Remove(row + 1);
            --expected.lineCount;
        }
        QCOMPARE(session.list().model()->rowCount(), 900);
        QCOMPARE(FirstRecordDifference(session.order, expected.order), QString());

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("long.tbl");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("00"));
        session.user.pathAnswers.push_back(path.toStdString());
        Click(session.main(), "cmdSave");

        const evidence::ReferenceAssembly reference = evidence::ReferenceAssemble(
            expected.table, 0, 0x00, expected.order, expected.lineCount);
        QVERIFY2(reference.ok, "the load order itself runs past FF: fix MakeLoadOrder");
        QCOMPARE(reference.last, 0xFF);  // the last line lays the digits on F6..FF
        QVERIFY(session.user.messages.empty());
        QCOMPARE(session.user.pathFilters.size(), std::size_t{1});
        QCOMPARE(int{session.workspace.LastCode}, reference.last);
        QVERIFY(session.workspace.TableText.Texts() == AsText(reference.table));
        QCOMPARE(ReadFile(path), evidence::ReferenceFile(reference.table, 0x00, reference.last));
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::LongTableOrderTest)
#include "LongTableOrderTest.moc"
