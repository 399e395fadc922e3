// What the user types, pastes and presses reaches the Table Order as they see it: no line break
// hidden in a one-line box, the only line chosen by keys, a choice answered once, and a single
// entry dialog shown again ready for a new code.
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include "OneLineBox.h"
#include "Session.h"

namespace glyphwright::test {
namespace {

void Paste(QLineEdit& box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

class TypingTest final : public QObject {
    Q_OBJECT

private slots:
    void pastedLineBreaksNeverReachTheOrderOrACode() {
        Session session;
        QLineEdit& selector = *session.selector().lineEdit();
        selector.clear();
        Paste(selector, QStringLiteral("Katakana\nHiragana"));
        QCOMPARE(selector.text(), QStringLiteral("Katakana"));
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdRelText");
        QCOMPARE(session.Lines(), QStringList{"Katakana"});
        QCOMPARE(std::string(session.order.SetNameOf(0)), std::string("Katakana"));

        auto& startCode = Find<QLineEdit>(session.main(), "txtTblStartCode");
        Paste(startCode, QStringLiteral("1\r\n0"));
        QCOMPARE(startCode.text(), QStringLiteral("1"));

        ClickLine(session.list(), 0);
        auto& start = Find<QLineEdit>(session.EnterHexNum(), "Text1");
        Paste(start, QStringLiteral("80\n"));
        Click(session.EnterHexNum(), "cmdOK");
        QCOMPARE(session.order.StartOf(0), 0x80);
        QVERIFY(session.user.messages.empty());

        // Pasted into the middle of a text, the first pasted line goes in and the rest stays.
        int caret = 0;
        QCOMPARE(OneLineBox::FirstLineOfInsertion("ab", "aX\nYb", &caret), QStringLiteral("aXb"));
        QCOMPARE(caret, 2);
    }

    void theOnlyLineCanBeChosenByKeysAndEachChoiceIsAnsweredOnce() {
        Session session;
        session.IncludeSet("Hiragana");
        QSignalSpy chosen(&session.main(), &MainWindow::orderLineChosen);
        // Tabbed into, the list puts its focus frame on the line without selecting it.
        session.list().setFocus();
        session.state.selection.setCurrentIndex(session.list().model()->index(0, 0),
                                                QItemSelectionModel::NoUpdate);
        QCOMPARE(session.state.selection.SelectedLine(), -1);
        QTest::keyClick(&session.list(), Qt::Key_Down);
        QCOMPARE(session.state.selection.SelectedLine(), 0);
        QCOMPARE(chosen.count(), 1);
        QVERIFY(session.EnterHexNum().isVisible());

        session.IncludeSet("Katakana");
        ClickLine(session.list(), 1);  // a new line: one answer, not two
        QCOMPARE(chosen.count(), 2);
        ClickLine(session.list(), 1);  // the same line again: answered again
        QCOMPARE(chosen.count(), 3);
    }

    void theSingleEntryDialogComesBackWithItsCodeSelected() {
        Session session;
        session.InsertSingle("41", "A");
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdSpecChar");
        auto& code = Find<QLineEdit>(session.InsertDteDialog(), "txtHexCode");
        QTRY_COMPARE(session.InsertDteDialog().focusWidget(), &code);
        QCOMPARE(code.selectedText(), QStringLiteral("41"));
        QTest::keyClicks(&code, "42");
        QTest::keyClick(&code, Qt::Key_Return);  // Enter in a text box inserts nothing
        QCOMPARE(code.text(), QStringLiteral("42"));
        QCOMPARE(session.Lines(), QStringList{"A"});
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::TypingTest)
#include "TypingTest.moc"
