// The include chooser: relative entries recorded by position, the enabling of REMOVE and
// MAKE TABLE, the hand-over to the single entry dialog, the 1000-line limit, and its life.
#include <QSignalSpy>
#include <QTest>

#include "Session.h"

namespace glyphwright::test {

class IncludeChooserTest final : public QObject {
    Q_OBJECT

private slots:
    void firstSetEntry() {
        Session session;
        session.IncludeSet("Hiragana");
        QCOMPARE(session.Lines(), QStringList{"Hiragana"});
        QCOMPARE(NameOfLine(session.order, 0), std::string("Hiragana"));
        QCOMPARE(NameOfLine(session.order, -1), std::string());
        QVERIFY(session.button("cmdRemove").isEnabled());
        QVERIFY(session.button("cmdSave").isEnabled());
        QVERIFY(!session.PickDialog().isVisible());
        QCOMPARE(session.selector().currentText(), QStringLiteral("Hiragana"));  // unchanged
    }

    void emptySelectorOnAnEmptyListOnlyEnablesRemove() {
        Session session;
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdRelText");
        QCOMPARE(session.list().model()->rowCount(), 0);
        QVERIFY(session.button("cmdRemove").isEnabled());
        QVERIFY(!session.button("cmdSave").isEnabled());
        QVERIFY(!session.PickDialog().isVisible());
    }

    void emptySelectorOnAFilledListChangesNothing() {
        Session session;
        session.InsertSingle("41", "A");
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdRelText");
        QCOMPARE(session.Lines(), QStringList{"A"});
        QVERIFY(!session.button("cmdRemove").isEnabled());
        QVERIFY(!session.button("cmdSave").isEnabled());
        QVERIFY(!session.PickDialog().isVisible());
    }

    void typedTextThatNamesNoSetIsListedButNotRecorded() {
        Session session;
        session.IncludeSet("hiragana");
        session.IncludeSet("Hiragana ");
        QCOMPARE(session.Lines(), (QStringList{"hiragana", "Hiragana "}));
        QCOMPARE(NameOfLine(session.order, 0), std::string());
        QCOMPARE(NameOfLine(session.order, 1), std::string());
        QVERIFY(session.button("cmdSave").isEnabled());
    }

    void theSameSetTwiceAndASetAfterASingleEntry() {
        Session session;
        session.InsertSingle("41", "A");
        session.IncludeSet("Katakana");
        Click(session.main(), "cmdInclude");  // nothing changed in between: the same set again
        Click(session.PickDialog(), "cmdRelText");
        QCOMPARE(session.Lines(), (QStringList{"A", "Katakana", "Katakana"}));
        QCOMPARE(NameOfLine(session.order, 0), std::string());
        QCOMPARE(NameOfLine(session.order, 1), std::string("Katakana"));
        QCOMPARE(NameOfLine(session.order, 2), std::string("Katakana"));
        QVERIFY(!session.button("cmdRemove").isEnabled());  // the list was not empty
    }

    void singleEntryHandsOverToTheSingleEntryDialog() {
        Session session;
        Click(session.main(), "cmdInclude");
        Click(session.PickDialog(), "cmdSpecChar");
        QVERIFY(!session.PickDialog().isVisible());
        QVERIFY(session.InsertDteDialog().isVisible());
        QCOMPARE(session.InsertDteDialog().parentWidget(), nullptr);
        QCOMPARE(session.list().model()->rowCount(), 0);
        QVERIFY(!session.button("cmdRemove").isEnabled());
        QVERIFY(!session.button("cmdSave").isEnabled());
    }

    void theThousandthLineIsRecordedAndTheNextRefused() {
        Session session;
        for (int line = 0; line < kMaxOrderLines - 1; ++line)
            DocumentCommand::IncludeSet(session.document, "x").Do(session.document);
        session.IncludeSet("0-9");
        QCOMPARE(session.list().model()->rowCount(), 1000);
        QCOMPARE(NameOfLine(session.order, 999), std::string("0-9"));
        QVERIFY(session.user.messages.empty());

        session.IncludeSet("Hiragana");
        QCOMPARE(session.list().model()->rowCount(), 1000);
        QCOMPARE(session.list().model()->index(999, 0).data().toString(), QStringLiteral("0-9"));
        QCOMPARE(NameOfLine(session.order, 999), std::string("0-9"));
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages.front().text.find("1000") != std::string::npos);
        QCOMPARE(session.user.messages.front().icon, MessageIcon::Exclamation);
    }

    void theCloseBoxDestroysTheChooserAndIncludeMakesItAnew() {
        Session session;
        Click(session.main(), "cmdInclude");
        QPointer<IncludeChooser> first = &session.PickDialog();
        QSignalSpy destroyed(first.data(), &QObject::destroyed);
        first->close();
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{1});
        QTRY_COMPARE(destroyed.count(), 1);
        QVERIFY(first.isNull());

        Click(session.main(), "cmdInclude");
        QVERIFY(session.PickDialog().isVisible());
        QCOMPARE(session.windows.ExistingWindows().size(), std::size_t{2});
        QVERIFY(session.user.log.empty());
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::IncludeChooserTest)
#include "IncludeChooserTest.moc"
