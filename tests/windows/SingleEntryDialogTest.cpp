// The single entry dialog: characters stored at once as EUC-JP, refused codes and characters
// told and left untouched, the 1000-line limit, and what Insert, Cancel and the close box keep.
#include <QSignalSpy>
#include <QTest>

#include "Session.h"

namespace glyphwright::test {
namespace {

QLineEdit& CodeBox(Session& session) {
    return Find<QLineEdit>(session.InsertDteDialog(), "txtHexCode");
}
QLineEdit& TextBox(Session& session) {
    return Find<QLineEdit>(session.InsertDteDialog(), "txtText");
}

void OpenDialog(Session& session) {
    Click(session.main(), "cmdInclude");
    Click(session.PickDialog(), "cmdSpecChar");
}

}  // namespace

class SingleEntryDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void insertStoresTheCharactersAtTheCode() {
        Session session;
        session.InsertSingle("41", "A");
        QCOMPARE(session.workspace.TableText[0x41], std::string("A"));
        QCOMPARE(session.workspace.CurrentCode, ByteCode{0x41});
        QCOMPARE(session.Lines(), QStringList{"A"});
        QVERIFY(!session.InsertDteDialog().isVisible());
        QVERIFY(!session.button("cmdSave").isEnabled());  // single entries never enable it
        QVERIFY(!session.button("cmdRemove").isEnabled());
        QCOMPARE(NameOfLine(session.order, 0), std::string());
    }

    void digitsTypedAtOnceGoBeforeTheBlank() {
        Session session;
        OpenDialog(session);
        Type(CodeBox(session), "41");
        Type(TextBox(session), "A");
        QCOMPARE(CodeBox(session).text(), QStringLiteral("41 "));
        Click(session.InsertDteDialog(), "cmdInsert");
        QCOMPARE(session.workspace.TableText[0x41], std::string("A"));
        QVERIFY(session.user.messages.empty());
    }

    void aRefusedCodeIsToldAndNothingIsStored() {
        Session session;
        session.InsertSingle("41", "A");
        const Workspace before = session.workspace;
        for (const char* code : {" 41", "100", "41 42"}) {
            session.user.messages.clear();
            OpenDialog(session);
            Retype(CodeBox(session), code);
            Retype(TextBox(session), "Z");
            Click(session.InsertDteDialog(), "cmdInsert");
            QCOMPARE(session.user.messages.size(), std::size_t{1});
            const std::string quoted = std::string("\"") + code + "\"";
            QVERIFY2(session.user.messages.front().text.find(quoted) != std::string::npos,
                     session.user.messages.front().text.c_str());
            QVERIFY(session.InsertDteDialog().isVisible());  // stays open
            QCOMPARE(session.Lines(), QStringList{"A"});
            QVERIFY(session.workspace.TableText == before.TableText);
            QCOMPARE(session.workspace.CurrentCode, before.CurrentCode);
        }
        QVERIFY(session.user.messages.front().text.find("00 to FF") != std::string::npos);
    }

    void typedKanaAreStoredAndListedAsTyped() {
        Session session;
        session.InsertSingle("20", "あ漢");
        QCOMPARE(session.workspace.TableText[0x20], std::string("あ漢"));
        QCOMPARE(session.Lines(), QStringList{"あ漢"});
    }

    // The table holds Unicode: a character EUC-JP lacks is stored like any other; only the
    // classic file, which needs EUC-JP, refuses it when written.
    void aCharacterEucJpLacksIsStoredAsTyped() {
        Session session;
        session.InsertSingle("20", "A");
        session.InsertSingle("21", "B한C");
        QVERIFY(session.user.messages.empty());
        QCOMPARE(session.workspace.TableText[0x21], std::string("B한C"));
        QCOMPARE(session.Lines(), (QStringList{"A", "B한C"}));
    }

    void sameCodeTwiceAnEmptyTextAndARemovedLine() {
        Session session;
        session.InsertSingle("41", "A");
        session.InsertSingle("41", "Q");
        QCOMPARE(session.workspace.TableText[0x41], std::string("Q"));
        session.InsertSingle("42", "");
        QCOMPARE(session.Lines(), (QStringList{"A", "Q", ""}));
        ClickLine(session.list(), 1);
        Click(session.main(), "cmdRemove");  // the characters stay on their code
        QCOMPARE(session.workspace.TableText[0x41], std::string("Q"));
        session.InsertSingle("41", "");
        QCOMPARE(session.workspace.TableText[0x41], std::string());
    }

    void insertKeepsTheContentsCancelAndTheCloseBoxReset() {
        Session session;
        session.InsertSingle("41", "A");
        OpenDialog(session);
        QCOMPARE(CodeBox(session).text(), QStringLiteral("41"));
        QCOMPARE(TextBox(session).text(), QStringLiteral("A"));

        QPointer<SingleEntryDialog> shown = &session.InsertDteDialog();
        Click(*shown, "cmdCancel");
        QVERIFY(!shown->isVisible());
        QTRY_VERIFY(shown.isNull());
        OpenDialog(session);
        QCOMPARE(CodeBox(session).text(), QStringLiteral(" "));
        QVERIFY(TextBox(session).text().isEmpty());

        Retype(CodeBox(session), "7");
        shown = &session.InsertDteDialog();
        shown->close();
        QTRY_VERIFY(shown.isNull());
        OpenDialog(session);
        QCOMPARE(CodeBox(session).text(), QStringLiteral(" "));
        QCOMPARE(session.Lines(), QStringList{"A"});
        QVERIFY(session.user.log.empty());
    }

    void theThousandAndFirstLineIsRefused() {
        Session session;
        for (int line = 0; line < kMaxOrderLines; ++line)
            DocumentCommand::IncludeSet(session.document, "x").Do(session.document);
        session.InsertSingle("41", "A");
        QCOMPARE(session.list().model()->rowCount(), 1000);
        QCOMPARE(session.workspace.TableText[0x41], std::string());
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages.front().text.find("1000") != std::string::npos);
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::SingleEntryDialogTest)
#include "SingleEntryDialogTest.moc"
