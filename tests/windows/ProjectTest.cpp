// Projects in the windows: saved, begun anew and opened again, the work comes back whole; a
// damaged file changes nothing; unsaved changes are offered to be saved before they are let go.
#include <QAction>
#include <QListWidget>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "Session.h"
#include "core/table/AssembleTable.h"
#include "core/text/EucJp.h"
#include "core/sets/SetCatalogue.h"
#include "sets/CharacterSetsWindow.h"

namespace glyphwright::test {

class ProjectTest final : public QObject {
    Q_OBJECT

    static void Trigger(Session& session, const char* action) {
        QAction* found = session.main().findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(found != nullptr, action);
        found->trigger();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void savedNewAndOpenedAgainMakesTheSameTable() {
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("work.gwproj"));
        Session session;
        const QString classicTitle = session.main().windowTitle();
        session.IncludeSet("Katakana");
        session.InsertSingle("F0", QStringLiteral("漢"));
        session.GiveStart(0, "20");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("10"));
        session.user.pathAnswers.push_back(
            folder.filePath(QStringLiteral("first.tbl")).toStdString());
        Click(session.main(), "cmdSave");
        const std::string first = ReadFile(folder.filePath(QStringLiteral("first.tbl")));
        QVERIFY(first.size() > 100);
        QCOMPARE(session.main().windowTitle(), classicTitle);  // no project yet

        session.user.pathAnswers.push_back(project.toStdString());
        Trigger(session, "actionSaveProjectAs");
        QVERIFY(session.main().windowTitle().startsWith(QStringLiteral("work.gwproj \u2014 ")));
        const DocumentContents saved = session.document.Contents();

        Trigger(session, "actionNewProject");
        QCOMPARE(session.Lines(), QStringList{});
        QCOMPARE(Find<QLineEdit>(session.main(), "txtTblStartCode").text(), QString());
        QVERIFY(session.document.Contents() == DocumentContents{});

        session.user.openAnswers.push_back(project.toStdString());
        Trigger(session, "actionOpenProject");
        QVERIFY(session.user.messages.empty());
        QVERIFY(session.document.Contents() == saved);
        QCOMPARE(session.Lines(), (QStringList{"Katakana", QStringLiteral("漢")}));
        QCOMPARE(Find<QLineEdit>(session.main(), "txtTblStartCode").text(), QStringLiteral("10"));
        QVERIFY(!session.main().windowTitle().contains(QLatin1Char('*')));

        session.user.pathAnswers.push_back(
            folder.filePath(QStringLiteral("again.tbl")).toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(ReadFile(folder.filePath(QStringLiteral("again.tbl"))), first);
    }

    void aDamagedOrNewerProjectIsRefusedAndChangesNothing() {
        QTemporaryDir folder;
        Session session;
        session.IncludeSet("0-9");
        const DocumentContents before = session.document.Contents();
        const QString damaged = folder.filePath(QStringLiteral("damaged.gwproj"));
        const QString newer = folder.filePath(QStringLiteral("newer.gwproj"));
        {
            QFile file(damaged);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"format\": \"glyphwright-project\", ");
        }
        {
            QFile file(newer);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"format\": \"glyphwright-project\", \"version\": 999}");
        }
        for (const QString& path : {damaged, newer}) {
            session.user.openAnswers.push_back(path.toStdString());
            Trigger(session, "actionOpenProject");
        }
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(session.user.messages[0].text.find("damaged") != std::string::npos);
        QVERIFY(session.user.messages[1].text.find("newer") != std::string::npos);
        QVERIFY(session.document.Contents() == before);
        QCOMPARE(session.Lines(), QStringList{"0-9"});
    }

    // A project lays the user's sets it was made with wherever it is opened: a set the user
    // lacks joins their sets; beside a different set of the name, the project's copy joins under
    // a name of its own and the user's set stays as it is.
    void aProjectBringsTheUsersSetsItWasMadeWith() {
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("work.gwproj"));
        const auto set = [](const char* name, std::initializer_list<const char*> members) {
            UserSet made{name, {}};
            for (const char* member : members) made.members.push_back(EncodeEucJp(member).value());
            return made;
        };
        const UserSet town = set("Town", {"あ", "きゃ", "ン"});
        // What MAKE TABLE would write from 20 on, member by member.
        const auto laid = [](const Session& session) {
            std::vector<std::string> members;
            const auto assembly = PreviewAssembly(session.order, 0x20);
            if (!assembly) return members;
            for (const LaidCode& code : assembly.value().laid) members.emplace_back(code.member);
            return members;
        };
        std::vector<std::string> made;
        {
            Session session;
            QVERIFY(session.state.sets.SetUserSets({town}).ok());
            session.IncludeSet(QStringLiteral("Town"));
            session.IncludeSet(QStringLiteral("0-9"));
            made = laid(session);
            QCOMPARE(made[0x21], std::string("きゃ"));  // きゃ on one code
            session.user.pathAnswers.push_back(project.toStdString());
            Trigger(session, "actionSaveProjectAs");
        }
        {
            // Elsewhere: no such set.
            Session session;
            const QString setsPath = folder.filePath(QStringLiteral("elsewhere/sets.txt"));
            session.state.setsPath = setsPath.toStdString();
            Trigger(session, "actionCharacterSets");  // open, to follow the sets that come
            auto& listed =
                Find<QListWidget>(Existing(session.windows.Sets(), "frmCharacterSets"), "lstSets");
            const int builtIn = listed.count();
            session.user.openAnswers.push_back(project.toStdString());
            Trigger(session, "actionOpenProject");
            QCOMPARE(session.user.messages.size(), std::size_t{1});
            QVERIFY(session.user.messages[0].text.find("\"Town\"") != std::string::npos);
            QCOMPARE(listed.count(), builtIn + 1);
            QCOMPARE(listed.item(builtIn)->text(), QStringLiteral("Town"));
            QCOMPARE(session.state.sets.UserSets(), std::vector<UserSet>{town});
            QVERIFY(ReadFile(setsPath).find("set Town\n") != std::string::npos);
            QVERIFY(!session.main().windowTitle().contains(QLatin1Char('*')));
            QCOMPARE(laid(session), made);
        }
        {
            // Here the user's "Town" is another set.
            Session session;
            const QString setsPath = folder.filePath(QStringLiteral("mine/sets.txt"));
            session.state.setsPath = setsPath.toStdString();
            const UserSet mine = set("Town", {"い", "う"});
            QVERIFY(session.state.sets.SetUserSets({mine}).ok());
            session.user.openAnswers.push_back(project.toStdString());
            Trigger(session, "actionOpenProject");
            QCOMPARE(session.user.messages.size(), std::size_t{1});
            const std::string copy = "Town (from work.gwproj)";
            QVERIFY(session.user.messages[0].text.find(copy) != std::string::npos);
            UserSet kept = town;
            kept.name = copy;
            QCOMPARE(session.state.sets.UserSets(), (std::vector<UserSet>{mine, kept}));
            QCOMPARE(session.Lines(), (QStringList{QString::fromStdString(copy), "0-9"}));
            QVERIFY(session.main().windowTitle().contains(QLatin1Char('*')));  // lines renamed
            QVERIFY(ReadFile(setsPath).find("set " + copy + "\n") != std::string::npos);
            QCOMPARE(laid(session), made);
        }
    }

    // Import Table…: the lines that cannot be taken in one message, then the rest or nothing;
    // what was taken is one undo step.
    void importTakesTheRestOrNothingAsOneStep() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("old.tbl"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("10=\xE3\x81\x82\r\nbad\r\n/FF=[end]\r\n");
        }
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        session.user.yesNoAnswers.push_back(false);
        Trigger(session, "actionImportTable");
        QCOMPARE(session.user.questions.size(), std::size_t{1});
        QVERIFY(session.user.questions[0].text.find("line 2: \"bad\"") != std::string::npos);
        QVERIFY(session.document.Contents() == DocumentContents{});

        session.user.openAnswers.push_back(path.toStdString());
        session.user.yesNoAnswers.push_back(true);
        Trigger(session, "actionImportTable");
        QCOMPARE(session.workspace.TableText[0x10], std::string("あ"));
        QCOMPARE(session.workspace.TableText[0xFF], std::string("end"));
        QVERIFY(session.document.Contents().table.TableText.Kinds()[0xFF] == EntryKind::EndCode);
        QCOMPARE(session.Lines(), QStringList{});  // no line in the Table Order
        QUndoStack& stack = session.state.history.Stack();
        QCOMPARE(stack.undoText(), QStringLiteral("Import old.tbl"));
        stack.undo();
        QVERIFY(session.document.Contents() == DocumentContents{});
    }

    // A project opened in a fresh session can be made at once: with no set in it, a UTF-8 file
    // holds its entries, control codes included, and no start code is asked for.
    void aProjectWithNoSetOpensReadyToMake() {
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("codes.gwproj"));
        {
            QFile file(project);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(R"({"format": "glyphwright-project", "version": 1, "startCode": "",
                "entries": [{"code": "00", "text": "end", "kind": "end"},
                            {"code": "01", "text": "", "kind": "linebreak"},
                            {"code": "30", "text": "x"}],
                "order": []})");
        }
        Session session;
        QVERIFY(!session.button("cmdSave").isEnabled());
        session.user.openAnswers.push_back(project.toStdString());
        Trigger(session, "actionOpenProject");
        QVERIFY2(session.user.messages.empty(),
                 session.user.messages.empty() ? "" : session.user.messages[0].text.c_str());
        QVERIFY(session.button("cmdSave").isEnabled());
        session.user.chosenFilter = 1;
        session.user.pathAnswers.push_back(folder.filePath(QStringLiteral("t.tbl")).toStdString());
        Click(session.main(), "cmdSave");
        QCOMPARE(ReadFile(folder.filePath(QStringLiteral("t.tbl"))),
                 std::string("/00=[end]\n01=\\n\n30=x\n"));
        QVERIFY(session.user.textPrompts.empty());
    }

    // The file type chosen in Import Table… overrides the format found from the file: EUC-JP
    // bytes with LF ends read as Shift-JIS half-width kana unless "Classic" is chosen.
    void theFileTypeChosenOverridesTheFormatFound() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("euc.tbl"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("20=\xA4\xA2\n");
        }
        Session session;
        session.user.openAnswers.push_back(path.toStdString());
        Trigger(session, "actionImportTable");
        QCOMPARE(session.user.openFilters,
                 (std::vector<std::string>{"Detect format (*)", "Classic (*)", "UTF-8 (*)",
                                           "Shift-JIS (*)"}));
        QCOMPARE(session.workspace.TableText[0x20], std::string("､｢"));  // ､｢

        session.user.chosenOpenFilter = 1;
        session.user.openAnswers.push_back(path.toStdString());
        Trigger(session, "actionImportTable");
        QCOMPARE(session.workspace.TableText[0x20], std::string("あ"));  // あ
        QVERIFY(session.user.messages.empty());
    }

    void unsavedChangesAreOfferedToBeSavedBeforeTheyGo() {
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("p.gwproj"));
        Session session;
        session.user.pathAnswers.push_back(project.toStdString());
        Trigger(session, "actionSaveProject");  // never saved: asks where
        QVERIFY(QFile::exists(project));
        session.IncludeSet("Hiragana");
        QVERIFY(session.main().windowTitle().startsWith(QStringLiteral("p.gwproj* ")));

        // The close box: Cancel keeps everything open.
        session.user.saveDiscardCancelAnswers.push_back(WindowQueries::Choice::Cancel);
        QVERIFY(!session.main().close());
        QVERIFY(session.main().isVisible());
        QCOMPARE(session.user.questions.size(), std::size_t{1});
        // The file's name, not the title's: no "*" in it.
        QCOMPARE(session.user.questions[0].text,
                 std::string("The project p.gwproj has changes that are not saved. Save them?"));

        // EXIT, Yes, then Save: the project is written before the farewell.
        QSignalSpy ended(&session.windows, &WindowManager::ended);
        session.user.yesNoAnswers.push_back(true);
        session.user.saveDiscardCancelAnswers.push_back(WindowQueries::Choice::Save);
        Click(session.main(), "cmdExit");
        QTRY_COMPARE(ended.count(), 1);
        QVERIFY(ReadFile(project).find("\"Hiragana\"") != std::string::npos);
    }

    // The title's "*", the question before work is let go and Save all read one thing: whether
    // the document is in the state last saved. Undone back to it, the work is saved again; undone
    // and changed otherwise, it is not, though it looks alike.
    void theStarFollowsTheStateSavedThroughTypingAndUndo() {
        QTemporaryDir folder;
        const QString project = folder.filePath(QStringLiteral("s.gwproj"));
        Session session;
        QAction& undo = Find<QAction>(session.main(), "actionUndo");
        QAction& redo = Find<QAction>(session.main(), "actionRedo");
        QLineEdit& box = Find<QLineEdit>(session.main(), "txtTblStartCode");
        const auto starred = [&session] {
            return session.main().windowTitle().startsWith(QStringLiteral("s.gwproj* "));
        };
        session.IncludeSet("0-9");
        session.user.pathAnswers.push_back(project.toStdString());
        Trigger(session, "actionSaveProject");
        QVERIFY(!starred());
        Type(box, "10");
        QVERIFY(starred());
        undo.trigger();
        QVERIFY(!starred());
        QVERIFY(session.state.project.MayClose(session.user));  // nothing to ask about
        QVERIFY(session.user.questions.empty());
        redo.trigger();
        QVERIFY(starred());

        undo.trigger();
        undo.trigger();  // the include, saved: changed
        QVERIFY(starred());
        session.IncludeSet("0-9");  // the same line again, as a step of its own
        QCOMPARE(session.Lines(), QStringList{"0-9"});
        QVERIFY(starred());
        session.user.saveDiscardCancelAnswers.push_back(WindowQueries::Choice::Cancel);
        QVERIFY(!session.main().close());
        QCOMPARE(session.user.questions.size(), std::size_t{1});
        Trigger(session, "actionSaveProject");  // saved where it was, without asking
        QVERIFY(!starred());
        QVERIFY(session.state.project.MayClose(session.user));
        QCOMPARE(session.user.questions.size(), std::size_t{1});
    }

    // Save Project As offers the project's own file, never the table just written, and a name
    // typed bare becomes a project's, asking before it replaces one.
    void saveAsOffersTheProjectsNameAndAddsItsExtension() {
        QTemporaryDir folder;
        Session session;
        session.IncludeSet("Katakana");
        Retype(Find<QLineEdit>(session.main(), "txtTblStartCode"), QStringLiteral("10"));
        const QString table = folder.filePath(QStringLiteral("font.tbl"));
        session.user.pathAnswers.push_back(table.toStdString());
        Click(session.main(), "cmdSave");
        const std::string written = ReadFile(table);
        QVERIFY(written.size() > 100);

        session.user.pathAnswers.push_back(folder.filePath(QStringLiteral("work")).toStdString());
        Trigger(session, "actionSaveProjectAs");
        QCOMPARE(session.user.offeredNames.back(), std::string("Untitled.gwproj"));
        const QString project = folder.filePath(QStringLiteral("work.gwproj"));
        QVERIFY(ReadFile(project).find("\"Katakana\"") != std::string::npos);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("work"))));
        QCOMPARE(ReadFile(table), written);
        QVERIFY(session.user.questions.empty());

        // Again: the project's own file is offered; "work" now names one, and No keeps it.
        session.IncludeSet("Hiragana");
        session.user.pathAnswers.push_back(folder.filePath(QStringLiteral("work")).toStdString());
        session.user.yesNoAnswers.push_back(false);
        Trigger(session, "actionSaveProjectAs");
        QCOMPARE(session.user.offeredNames.back(), project.toStdString());
        QCOMPARE(session.user.questions.size(), std::size_t{1});
        QCOMPARE(session.user.questions[0].text,
                 std::string("work.gwproj already exists. Do you want to replace it?"));
        QVERIFY(ReadFile(project).find("\"Hiragana\"") == std::string::npos);
    }

    // Work never saved as a project still has a name to be asked about.
    void unsavedWorkWithNoProjectIsAskedAboutByName() {
        Session session;
        session.IncludeSet("Hiragana");
        session.user.saveDiscardCancelAnswers.push_back(WindowQueries::Choice::Cancel);
        Trigger(session, "actionNewProject");
        QCOMPARE(session.user.questions.size(), std::size_t{1});
        QCOMPARE(session.user.questions[0].text,
                 std::string("The project Untitled has changes that are not saved. Save them?"));
        QCOMPARE(session.state.document.Order().LineCount(), 1);  // Cancel kept it
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::ProjectTest)
#include "ProjectTest.moc"
