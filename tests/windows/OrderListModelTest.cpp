// The Table Order as the list shows it: rows that follow every change of the order, announced so
// that views and selections keep track (Qt's own model checker watches every signal).
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "OrderListModel.h"
#include "OrderSelection.h"
#include "core/table/DocumentCommand.h"

namespace glyphwright::test {

class OrderListModelTest final : public QObject {
    Q_OBJECT

private slots:
    void rowsFollowTheOrderAndTheSelectionFollowsItsLine() {
        Document document;
        OrderListModel model(document);
        const auto run = [&document](const DocumentCommand& command) { command.Do(document); };
        QAbstractItemModelTester checker(&model,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        OrderSelection selection(model);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        run(DocumentCommand::IncludeSet(document, "Hiragana"));
        run(DocumentCommand::PutEntry(document, 0x41, {"\xA4\xA2"}, "あ"));
        run(DocumentCommand::IncludeSet(document, "0-9"));
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("あ"));

        selection.SelectQuietly(2);
        QCOMPARE(selection.SelectedLine(), 2);
        const DocumentCommand removeFirst = DocumentCommand::RemoveLine(document, 0);
        run(removeFirst);  // the selected line moves up with the lines below the removed one
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("あ"));
        QCOMPARE(selection.SelectedLine(), 1);
        // Undone, the line comes back where it was, and the selected line moves down with it.
        removeFirst.Undo(document);
        QCOMPARE(inserted.count(), 4);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Hiragana"));
        QCOMPARE(selection.SelectedLine(), 2);
        run(DocumentCommand::RemoveLine(document, 2));  // the selected line itself goes
        QCOMPARE(selection.SelectedLine(), -1);

        // A document taken whole resets the rows.
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        // Named: GCC 12 warns falsely of a braced temporary's empty map as maybe uninitialized.
        DocumentContents empty;
        document.Replace(std::move(empty));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::OrderListModelTest)
#include "OrderListModelTest.moc"
