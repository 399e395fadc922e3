#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "Session.h"
#include "UserSets.h"
#include "codemap/CodeMapModel.h"
#include "codemap/CodeMapWindow.h"
#include "core/sets/BuiltInSets.h"
#include "core/sets/SetCatalogue.h"
#include "sets/CharacterSetsWindow.h"

namespace glyphwright::test {
namespace {

std::string Line(const std::string& code, const std::string& text) {
    return code + "=" + text + "\r\r\n";
}

CharacterSetsWindow& OpenSets(Session& session) {
    auto* action = session.main().findChild<QAction*>(QStringLiteral("actionCharacterSets"));
    if (action == nullptr) throw std::runtime_error("no Tools > Character Sets…");
    action->trigger();
    return Existing(session.windows.Sets(), "frmCharacterSets");
}

// Empties the members box and types `text`, lines broken with Return as the user would.
void TypeMembers(CharacterSetsWindow& window, const QString& text) {
    auto& box = Find<QPlainTextEdit>(window, "txtMembers");
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(&box, Qt::Key_Return);
        if (!lines[i].isEmpty()) Type(box, lines[i]);
    }
}

void MakeSet(CharacterSetsWindow& window, const QString& name, const QString& members,
             bool perLine = false) {
    Click(window, "cmdNew");
    Retype(Find<QLineEdit>(window, "txtName"), name);
    auto& box = Find<QCheckBox>(window, "chkPerLine");
    if (box.isChecked() != perLine) QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(4, 4));
    TypeMembers(window, members);
    Click(window, "cmdSave");
}

QStringList Listed(CharacterSetsWindow& window) {
    QStringList names;
    auto& list = Find<QListWidget>(window, "lstSets");
    for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
    return names;
}

}  // namespace

class CharacterSetsWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void madeSetsAreKeptListedLaidAndWritten() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Session session;
        session.state.setsPath = folder.filePath("config/character-sets.txt").toStdString();
        CharacterSetsWindow& window = OpenSets(session);
        QVERIFY(window.isVisible());
        QCOMPARE(Listed(window).size(), 11);
        QCOMPARE(Listed(window).at(7), QStringLiteral("Hiragana (JIS order)"));
        QVERIFY(!Find<QLabel>(window, "lblHelp").text().isEmpty());

        // Typed: each character a member. One a line: a member of several characters.
        MakeSet(window, "Town", "まちか");
        MakeSet(window, "Pairs", "ab\nc\n", true);
        QVERIFY2(session.user.messages.empty(),
                 session.user.messages.empty() ? "" : session.user.messages[0].text.c_str());
        QCOMPARE(Listed(window).mid(11), (QStringList{"Town", "Pairs"}));
        QCOMPARE(ReadFile(folder.filePath("config/character-sets.txt")),
                 std::string("Glyphwright character sets 1\n\nset Town\n= ま\n= ち\n= か\n"
                             "\nset Pairs\n= ab\n= c\n"));

        // Select Table Set: the classic seven, a line, the further orders, a line, the user's.
        QComboBox& selector = session.selector();
        QCOMPARE(selector.count(), 15);
        QCOMPARE(selector.itemText(6), QStringLiteral("0-9"));
        QCOMPARE(selector.itemText(8), QStringLiteral("Hiragana (JIS order)"));
        QCOMPARE(selector.itemText(13), QStringLiteral("Town"));
        QCOMPARE(selector.itemText(14), QStringLiteral("Pairs"));

        // Used in the order like a built-in set, and written by MAKE TABLE.
        session.IncludeSet("Town");
        session.IncludeSet("Pairs");
        session.IncludeSet("0-9");
        QCOMPARE(session.order.SetNameOf(0), std::string("Town"));
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        const QString path = folder.filePath("town.tbl");
        session.user.pathAnswers.push_back(path.toStdString());
        Click(session.main(), "cmdSave");
        std::string expected = Line("20", "\xA4\xDE") + Line("21", "\xA4\xC1") +
                               Line("22", "\xA4\xAB") + Line("23", "ab") + Line("24", "c");
        const char* codes[] = {"25", "26", "27", "28", "29", "2A", "2B", "2C", "2D", "2E"};
        for (int digit = 0; digit < 10; ++digit) {
            expected += Line(codes[digit], std::to_string(digit));
        }
        expected += "\r\r\n";
        QCOMPARE(ReadFile(path), expected);
        QVERIFY(session.user.messages.empty());
    }

    void aSetALineUsesCannotGoAndBadSetsAreToldWhere() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Session session;
        session.state.setsPath = folder.filePath("sets.txt").toStdString();
        CharacterSetsWindow& window = OpenSets(session);
        MakeSet(window, "Town", "まちか");
        session.IncludeSet("Town");
        auto& list = Find<QListWidget>(window, "lstSets");
        list.setCurrentRow(11);

        Click(window, "cmdDelete");
        QCOMPARE(session.user.messages.size(), std::size_t{1});
        QVERIFY(session.user.messages[0].text.find("used by a line") != std::string::npos);
        Retype(Find<QLineEdit>(window, "txtName"), "Village");
        Click(window, "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QVERIFY(session.state.sets.Find("Town") != nullptr);
        QCOMPARE(session.state.sets.Find("Village"), nullptr);

        // Its members may change: the line lays the new ones, and the code map open follows.
        Type(Find<QLineEdit>(session.main(), "txtTblStartCode"), "20");
        session.windows.ShowCodeMap();
        QVERIFY(session.windows.Map() != nullptr);
        const CodeMap& map = session.windows.Map()->Model().Map();
        QVERIFY(map.HasRange());
        QCOMPARE(int(map.last), 0x22);
        Retype(Find<QLineEdit>(window, "txtName"), "Town");
        TypeMembers(window, "まち");
        Click(window, "cmdSave");
        QCOMPARE(session.user.messages.size(), std::size_t{2});
        QCOMPARE(session.state.sets.Find("Town")->size(), std::size_t{2});
        QCOMPARE(int(session.windows.Map()->Model().Map().last), 0x21);

        // Duplicated, renamed and deleted, none of which a line of the order stands in the way of.
        Click(window, "cmdDuplicate");
        QCOMPARE(Listed(window).mid(11), (QStringList{"Town", "Town (copy)"}));
        QCOMPARE(list.currentRow(), 12);
        Retype(Find<QLineEdit>(window, "txtName"), "Village");
        Click(window, "cmdSave");
        QCOMPARE(Listed(window).mid(11), (QStringList{"Town", "Village"}));
        QCOMPARE(session.selector().itemText(14), QStringLiteral("Village"));
        QCOMPARE(session.state.sets.Find("Village")->size(), std::size_t{2});
        session.user.yesNoAnswers.push_back(true);
        Click(window, "cmdDelete");
        QCOMPARE(Listed(window).mid(11), QStringList{"Town"});
        QCOMPARE(session.selector().count(), 14);

        MakeSet(window, "Katakana", "abc");
        QVERIFY(session.user.messages.back().text.find("name of a built-in set") !=
                std::string::npos);
        MakeSet(window, "Bad", "a😀");
        QCOMPARE(session.user.messages.back().text,
                 std::string("Member 2 of the set \"Bad\" (\"😀\") cannot be stored in a table: "
                             "EUC-JP has no code for it."));
        MakeSet(window, "Gap", "ab\n\nc", true);
        QCOMPARE(session.user.messages.back().text,
                 std::string("Member 2 of the set \"Gap\" is empty."));
        QCOMPARE(Listed(window).mid(11), QStringList{"Town"});

        // A built-in set is shown, never changed.
        list.setCurrentRow(0);
        QVERIFY(!Find<QPushButton>(window, "cmdSave").isEnabled());
        QVERIFY(!Find<QPushButton>(window, "cmdDelete").isEnabled());
    }

    void exportedSetsImportAndADamagedFileNamesItsLine() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString exported = folder.filePath("mine.gwsets");
        {
            Session session;
            CharacterSetsWindow& window = OpenSets(session);
            MakeSet(window, "Town", "まちか");
            session.user.pathAnswers.push_back(exported.toStdString());
            Click(window, "cmdExport");
        }
        Session session;
        CharacterSetsWindow& window = OpenSets(session);
        session.user.openAnswers.push_back(exported.toStdString());
        Click(window, "cmdImport");
        QCOMPARE(Listed(window).mid(11), QStringList{"Town"});
        QCOMPARE(session.selector().itemText(13), QStringLiteral("Town"));

        const QString damaged = folder.filePath("damaged.txt");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Glyphwright character sets 1\nset Ok\n= a\nmember b\n");
        file.close();
        session.user.openAnswers.push_back(damaged.toStdString());
        Click(window, "cmdImport");
        QVERIFY(session.user.messages.back().text.find("is damaged at line 4") !=
                std::string::npos);
        // At start-up too: the user is told, and starts with the built-in sets.
        SetCatalogue sets;
        const auto told = LoadUserSets(sets, damaged.toStdString());
        QVERIFY(told.has_value());
        QVERIFY(told->contains(QStringLiteral("damaged at line 4")));
        QCOMPARE(sets.Sets().size(), BuiltInSets().size());
        // The damaged file is kept aside whole, so a set saved now cannot replace it.
        QVERIFY(!QFileInfo::exists(damaged));
        QVERIFY(told->contains(damaged + QStringLiteral(".damaged")));
        QFile aside(damaged + QStringLiteral(".damaged"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(),
                 QByteArray("Glyphwright character sets 1\nset Ok\n= a\nmember b\n"));

        // A folder where the set file belongs cannot be read: said, the built-in sets only, and
        // the folder left where it is (it holds no damaged sets to keep).
        const QString inTheWay = folder.filePath("character-sets.txt");
        QVERIFY(QDir().mkdir(inTheWay));
        SetCatalogue fresh;
        const auto unread = LoadUserSets(fresh, inTheWay.toStdString());
        QVERIFY(unread.has_value());
        QVERIFY(unread->contains(QStringLiteral("could not be read")));
        QCOMPARE(fresh.Sets().size(), BuiltInSets().size());
        QVERIFY(QFileInfo(inTheWay).isDir());
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::CharacterSetsWindowTest)
#include "CharacterSetsWindowTest.moc"
