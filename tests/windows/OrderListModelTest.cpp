// The Table Order as the list shows it: rows that follow every change of the order, announced so
// that views and selections keep track (Qt's own model checker watches every signal).
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "OrderListModel.h"
#include "OrderSelection.h"
#include "core/TableOrder.h"

namespace glyphwright::test {

class OrderListModelTest final : public QObject {
    Q_OBJECT

private slots:
    void rowsFollowTheOrderAndTheSelectionFollowsItsLine() {
        TableOrder order;
        OrderListModel model(order);
        QAbstractItemModelTester checker(&model,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        OrderSelection selection(model);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        QVERIFY(order.AppendSetLine("Hiragana"));
        QVERIFY(order.AppendEntryLine("あ"));
        QVERIFY(order.AppendSetLine("0-9"));
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("あ"));

        selection.SelectQuietly(2);
        QCOMPARE(selection.SelectedLine(), 2);
        order.Remove(0);  // the selected line moves up with the lines below the removed one
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("あ"));
        QCOMPARE(selection.SelectedLine(), 1);
        order.Remove(1);  // the selected line itself goes: nothing is selected
        QCOMPARE(selection.SelectedLine(), -1);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::OrderListModelTest)
#include "OrderListModelTest.moc"
