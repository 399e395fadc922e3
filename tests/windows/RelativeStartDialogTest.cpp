// The relative start dialog: the start goes to the line selected when OK is pressed, refused
// input is told and stores nothing, and what OK, Cancel and the close box keep.
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include "Session.h"

namespace glyphwright::test {
namespace {

QLineEdit& NumberBox(Session& session) {
    return Find<QLineEdit>(session.EnterHexNum(), "Text1");
}

}  // namespace

class RelativeStartDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void okStoresTheStartOfTheSelectedLine() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.GiveStart(1, "80");
        QCOMPARE(StartOfLine(session.order, 1), 0x80);
        QCOMPARE(StartOfLine(session.order, 0), 0);
        QVERIFY(!session.EnterHexNum().isVisible());
        QVERIFY(session.user.messages.empty());
    }

    // Shown again for another line, the dialog holds the last number selected in its box, so the
    // digits typed next replace it and OK stores them, not the number before.
    void shownAgainTheNumberIsSelectedForTyping() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.IncludeSet("0-9");
        session.GiveStart(1, "40");
        ClickLine(session.list(), 2);
        RelativeStartDialog& dialog = session.EnterHexNum();
        QVERIFY(dialog.isVisible());
        QCOMPARE(NumberBox(session).text(), QStringLiteral("40"));
        QCOMPARE(dialog.focusWidget(), &NumberBox(session));
        QCOMPARE(NumberBox(session).selectedText(), QStringLiteral("40"));
        QTest::keyClicks(dialog.focusWidget(), QStringLiteral("80"));
        QCOMPARE(NumberBox(session).text(), QStringLiteral("80"));
        Click(dialog, "cmdOK");
        QCOMPARE(StartOfLine(session.order, 2), 0x80);
        QCOMPARE(StartOfLine(session.order, 1), 0x40);
    }

    void lowerCaseDigitsAreRead() {
        Session session;
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "a0");
        QCOMPARE(StartOfLine(session.order, 0), 160);
    }

    void theLineSelectedAtOkCountsNotTheOneThatOpenedTheDialog() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        ClickLine(session.list(), 0);
        Type(NumberBox(session), "30");
        ClickLine(session.list(), 1);
        Click(session.EnterHexNum(), "cmdOK");
        QCOMPARE(StartOfLine(session.order, 0), 0);
        QCOMPARE(StartOfLine(session.order, 1), 0x30);
    }

    void refusedInputIsToldAndStoresNothing() {
        Session session;
        session.IncludeSet("Hiragana");
        session.GiveStart(0, "40");
        for (const char* typed : {"G1", "12345", " 1F", "&H20", "81G0"}) {
            session.user.messages.clear();
            session.GiveStart(0, typed);
            QCOMPARE(session.user.messages.size(), std::size_t{1});
            const std::string quoted = std::string("\"") + typed + "\"";
            QVERIFY2(session.user.messages.front().text.find(quoted) != std::string::npos,
                     session.user.messages.front().text.c_str());
            QCOMPARE(StartOfLine(session.order, 0), 0x40);
            QVERIFY(session.EnterHexNum().isVisible());  // stays open
        }
        // An empty box: a start may be one byte or two, and the message says both.
        for (const char* typed : {"", "  "}) {
            session.user.messages.clear();
            session.GiveStart(0, typed);
            QCOMPARE(session.user.messages.size(), std::size_t{1});
            QCOMPARE(session.user.messages.front().text,
                     std::string("No start was typed. Type the code the line starts at: a "
                                 "hexadecimal byte from 00 to FF, or two bytes from 0000 to FFFF "
                                 "(00 for no start of its own)."));
            QCOMPARE(StartOfLine(session.order, 0), 0x40);
        }
    }

    // Three or four digits are a two-byte start, as stored ("0080" is not 80); one or two are the
    // one-byte start they always were.
    void fourDigitsGiveATwoByteStart() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.GiveStart(0, "8140");
        QCOMPARE(session.order.StartCodeOf(0), TableCode::TwoByte(0x8140));
        session.GiveStart(1, "0080");
        QCOMPARE(session.order.StartCodeOf(1), TableCode::TwoByte(0x0080));
        session.GiveStart(0, "100");
        QCOMPARE(session.order.StartCodeOf(0), TableCode::TwoByte(0x0100));
        session.GiveStart(1, "80");
        QCOMPARE(session.order.StartCodeOf(1), TableCode::OneByte(0x80));
        QVERIFY(session.user.messages.empty());
        session.GiveStart(1, "12345");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY2(session.user.messages.front().text.find("above FFFF") != std::string::npos,
                 session.user.messages.front().text.c_str());
        QCOMPARE(session.order.StartCodeOf(1), TableCode::OneByte(0x80));
        Click(session.EnterHexNum(), "cmdCancel");

        // Undone, the line has its one-byte start again.
        session.GiveStart(1, "8000");
        QCOMPARE(session.order.StartCodeOf(1), TableCode::TwoByte(0x8000));
        Find<QAction>(session.main(), "actionUndo").trigger();
        QCOMPARE(session.order.StartCodeOf(1), TableCode::OneByte(0x80));
    }

    void okWithNoLineSelectedIsTold() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        ClickLine(session.list(), 1);
        Click(session.EnterHexNum(), "cmdCancel");
        QTRY_COMPARE(session.windows.ExistingWindows().size(), std::size_t{2});
        Click(session.main(), "cmdRemove");  // leaves no line selected
        QVERIFY(session.windows.ExistingWindows().size() == 2);

        // The dialog is open from an earlier click on a line that is selected no more.
        session.IncludeSet("0-9");
        ClickLine(session.list(), 0);
        RelativeStartDialog& dialog = session.EnterHexNum();
        session.state.selection.clearSelection();
        Type(NumberBox(session), "20");
        Click(dialog, "cmdOK");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages.front().text.find("No line") != std::string::npos);
        QVERIFY(dialog.isVisible());
        for (int line = 0; line < session.order.LineCount(); ++line)
            QCOMPARE(session.order.StartOf(line), 0);
    }

    void okKeepsTheNumberCancelAndTheCloseBoxEmptyIt() {
        Session session;
        session.IncludeSet("Hiragana");
        session.IncludeSet("Katakana");
        session.GiveStart(0, "42");
        ClickLine(session.list(), 1);
        QCOMPARE(NumberBox(session).text(), QStringLiteral("42"));

        QPointer<RelativeStartDialog> shown = &session.EnterHexNum();
        Click(*shown, "cmdCancel");
        QVERIFY(!shown->isVisible());
        QTRY_VERIFY(shown.isNull());
        QCOMPARE(StartOfLine(session.order, 1), 0);  // Cancel stores nothing
        ClickLine(session.list(), 1);  // the line already selected: a click opens it all the same
        QVERIFY(session.EnterHexNum().isVisible());
        QVERIFY(NumberBox(session).text().isEmpty());

        Type(NumberBox(session), "7");
        shown = &session.EnterHexNum();
        shown->close();
        QTRY_VERIFY(shown.isNull());
        ClickLine(session.list(), 1);
        QVERIFY(NumberBox(session).text().isEmpty());
        QCOMPARE(StartOfLine(session.order, 0), 0x42);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::RelativeStartDialogTest)
#include "RelativeStartDialogTest.moc"
