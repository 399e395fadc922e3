// EXIT: No changes nothing; Yes destroys every window, newest first, before the farewell box,
// and then the program ends.
#include <QSignalSpy>
#include <QTest>

#include "Session.h"
#include "main/ConfirmExit.h"

namespace glyphwright::test {
namespace {

// Writes "destroyed:<name>" into the user's log when each existing window goes.
void RecordDestruction(Session& session) {
    for (QWidget* window : session.windows.ExistingWindows()) {
        QObject::connect(window, &QObject::destroyed,
                         [log = &session.user.log, name = window->objectName().toStdString()] {
                             log->push_back("destroyed:" + name);
                         });
    }
}

}  // namespace

class ExitSequenceTest final : public QObject {
    Q_OBJECT

private slots:
    void noChangesNothing() {
        Session session;
        session.IncludeSet("Hiragana");
        ClickLine(session.list(), 0);
        Type(Find<QLineEdit>(session.EnterHexNum(), "Text1"), "33");
        const std::vector<QWidget*> before = session.windows.ExistingWindows();
        QSignalSpy ended(&session.windows, &WindowManager::ended);

        session.user.yesNoAnswers.push_back(false);
        Click(session.main(), "cmdExit");
        QTRY_COMPARE(session.user.questions.size(), std::size_t{1});

        const auto& question = session.user.questions.front();
        QCOMPARE(question.title, std::string("Exit?"));
        QCOMPARE(question.text, std::string("Are you sure you want to exit?"));
        QCOMPARE(question.icon, MessageIcon::Exclamation);
        QCOMPARE(session.windows.ExistingWindows(), before);
        QVERIFY(session.EnterHexNum().isVisible());
        QCOMPARE(Find<QLineEdit>(session.EnterHexNum(), "Text1").text(), QStringLiteral("33"));
        QVERIFY(!session.PickDialog().isVisible());
        QVERIFY(session.main().isVisible());
        QCOMPARE(session.Lines(), QStringList{"Hiragana"});
        QCOMPARE(ended.count(), 0);
        QVERIFY(session.user.messages.empty());
    }

    void yesDestroysEveryWindowNewestFirstThenSaysFarewell() {
        Session session;
        session.IncludeSet("Hiragana");  // the chooser, hidden
        ClickLine(session.list(), 0);    // the start dialog, shown
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdSpecChar");  // the single entry dialog, shown
        RecordDestruction(session);
        QSignalSpy ended(&session.windows, &WindowManager::ended);

        session.user.yesNoAnswers.push_back(true);
        Click(session.main(), "cmdExit");
        QTRY_COMPARE(ended.count(), 1);

        QCOMPARE(session.user.log,
                 (std::vector<std::string>{"question:Exit?", "destroyed:frmInsertDTE",
                                           "destroyed:frmEnterHexNum", "destroyed:frmPick",
                                           "destroyed:frmGlyphwright", "message:C-ya"}));
        const auto& farewell = session.user.messages.back();
        QCOMPARE(farewell.text, std::string("Glyphwright, by the Glyphwright developers."));
        QCOMPARE(farewell.icon, MessageIcon::None);
        QVERIFY(session.windows.ExistingWindows().empty());
    }

    void yesRightAfterStartUp() {
        Session session;
        RecordDestruction(session);
        QSignalSpy ended(&session.windows, &WindowManager::ended);
        session.user.yesNoAnswers.push_back(true);
        Click(session.main(), "cmdExit");
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(session.user.log,
                 (std::vector<std::string>{"question:Exit?", "destroyed:frmGlyphwright",
                                           "message:C-ya"}));
    }

    void aDialogCancelledBeforeIsNotMadeAgain() {
        Session session;
        session.IncludeSet("Hiragana");
        ClickLine(session.list(), 0);
        QPointer<QWidget> dialog = &session.EnterHexNum();
        Click(*dialog, "cmdCancel");
        QTRY_VERIFY(dialog.isNull());
        RecordDestruction(session);
        QSignalSpy ended(&session.windows, &WindowManager::ended);

        session.user.yesNoAnswers.push_back(true);
        Click(session.main(), "cmdExit");
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(session.user.log,
                 (std::vector<std::string>{"question:Exit?", "destroyed:frmPick",
                                           "destroyed:frmGlyphwright", "message:C-ya"}));
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::ExitSequenceTest)
#include "ExitSequenceTest.moc"
