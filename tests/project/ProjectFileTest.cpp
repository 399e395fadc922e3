#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "core/table/AssembleTable.h"
#include "core/table/CodeOrder.h"
#include "core/text/EucJp.h"
#include "core/sets/ProjectSets.h"
#include "project/ProjectFile.h"
#include "support/EntryKinds.h"
#include "support/TableOrder.h"

namespace glyphwright {
namespace {

const QString kProject = QStringLiteral("/work/trans/game.gwproj");

// A document with something of every kind a project holds.
DocumentContents Full() {
    DocumentContents contents;
    test::RecordOrder(contents.order, {{"Hiragana", 0x20}, {"0-9"}, {"katakana"}});
    (void)contents.order.AppendEntryLine("Katakana");  // a single entry showing a set's name
    (void)contents.order.AppendEntryLine("漢");
    contents.table.CurrentCode = 0x20;
    (void)AssembleTable(contents.order, contents.table);
    contents.table.TableText.Put(0x90, {"漢"});
    contents.table.TableText.Put(0xFE, {"\\n", EntryKind::LineBreak});
    contents.table.TableText.Put(0xFF, {"end", EntryKind::EndCode});
    contents.table.TableText.Put(0x05, {"ゔ"});  // Unicode that EUC-JP has no code for
    contents.startCode = "20";
    contents.gameFilePath = "/work/trans/rom/game.bin";
    contents.tableFileName = "/work/trans/game.tbl";
    contents.tableFormat = "utf8";
    contents.featureSettings["font"] = R"({"width":8})";
    return contents;
}

TEST(ProjectFile, WhatIsWrittenReadsBackTheSame) {
    const DocumentContents contents = Full();
    const QByteArray file = WriteProject(contents, kProject);
    EXPECT_TRUE(file.contains("\"gameFile\": \"rom/game.bin\""));  // relative to the project
    const auto read = ReadProject(file, kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(read.ok()) << read.error().detail.toStdString();
    EXPECT_EQ(read.value(), contents);
    // Moved with its game file, the project still finds it.
    const auto moved =
        ReadProject(file, QStringLiteral("/elsewhere/p.gwproj"), SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(moved.value().gameFilePath, "/elsewhere/rom/game.bin");
}

// Two-byte codes, a two-byte start ("0080" is not "80") and the little-endian order come back as
// they were, listed in the files' order; a project without them stays version 1, which an older
// Glyphwright reads, and one with them says version 2, which it refuses rather than misreads.
TEST(ProjectFile, TwoByteCodesAndTheirOrderReadBackTheSame) {
    EXPECT_TRUE(WriteProject(Full(), kProject).contains("\"version\": 1\n"));
    DocumentContents contents = Full();
    contents.codeOrder = CodeOrder::LittleEndian;
    contents.table.TableText.Put(TableCode::TwoByte(0x8140), {"亜"});
    contents.table.TableText.Put(TableCode::TwoByte(0x2000), {"𠮷", EntryKind::Ordinary});
    contents.table.TableText.Put(TableCode::TwoByte(0xFFFF), {"end", EntryKind::EndCode});
    (void)contents.order.AppendSetLine("Katakana");
    contents.order.SetStartCode(contents.order.LineCount() - 1, TableCode::TwoByte(0x0080));
    const QByteArray file = WriteProject(contents, kProject);
    EXPECT_TRUE(file.contains("\"version\": 2\n"));
    EXPECT_TRUE(file.contains("\"start\": \"0080\""));
    EXPECT_TRUE(file.contains("\"codeOrder\": \"le\""));
    EXPECT_LT(file.indexOf("\"code\": \"20\""), file.indexOf("\"code\": \"2000\""));
    EXPECT_LT(file.indexOf("\"code\": \"2000\""), file.indexOf("\"code\": \"21\""));
    const auto read = ReadProject(file, kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(read.ok()) << read.error().detail.toStdString();
    EXPECT_EQ(read.value(), contents);
}

// Linked entries, table switches and further tables come back whole; such a project says version
// 3, which an older Glyphwright refuses rather than drop what it does not know. Damaged kinds are
// refused naming their field.
TEST(ProjectFile, EntryKindsAndFurtherTablesReadBackTheSame) {
    DocumentContents contents = Full();
    contents.table.TableText.Put(0xF5, test::Linked("color", 2));
    contents.table.TableText.Put(TableCode::TwoByte(0xF000), test::Switch("kanji", 0));
    contents.table.TableId = "main";
    TableEntries kanji;
    kanji.Put(0x10, {"漢"});
    kanji.Put(0xFF, test::Switch("main", 3, "back"));
    contents.table.FurtherTables.push_back({"kanji", kanji});
    const QByteArray file = WriteProject(contents, kProject);
    EXPECT_TRUE(file.contains("\"version\": 3\n"));
    EXPECT_TRUE(file.contains("\"tableId\": \"main\""));
    const auto read = ReadProject(file, kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(read.ok()) << read.error().detail.toStdString();
    EXPECT_EQ(read.value(), contents);

    const auto damaged = [&file](const char* from, const char* to) {
        const auto refused = ReadProject(QByteArray(file).replace(from, to), kProject,
                                         SetCatalogue::BuiltInsOnly());
        return refused.ok() ? QString() : refused.error().detail;
    };
    EXPECT_TRUE(damaged("\"parameters\": 2", "\"parameters\": 0").endsWith(".parameters"));
    EXPECT_TRUE(damaged("\"count\": 3", "\"count\": -1").endsWith(".count"));
    EXPECT_TRUE(damaged("\"count\": 3", "\"count\": 1e9").endsWith(".count"));
    EXPECT_TRUE(damaged("\"table\": \"main\"", "\"table\": \"a b\"").endsWith(".table"));
    EXPECT_EQ(damaged("\"id\": \"kanji\"", "\"id\": \"main\""), QStringLiteral("tables[0].id"));
    EXPECT_EQ(damaged("\"tableId\": \"main\"", "\"tableId\": \"\""), QStringLiteral("tableId"));
}

// Earlier versions kept an entry as EUC-JP bytes where its text did not read back: such a project
// still opens, its bytes read as the text they stand for; bytes that are no EUC-JP are refused.
TEST(ProjectFile, EntriesKeptAsBytesByEarlierVersionsReadAsText) {
    const auto project = [](const char* bytes) {
        return QByteArray(R"({"format": "glyphwright-project", "version": 1, "startCode": "10",
            "entries": [{"code": "10", "bytes": ")") + bytes + R"("}], "order": []})";
    };
    const auto read = ReadProject(project("A4 A2"), kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(read.ok()) << read.error().detail.toStdString();
    EXPECT_EQ(read.value().EntryAt(0x10), (TableEntry{"あ", EntryKind::Ordinary}));
    const auto bad = ReadProject(project("FF 01"), kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().detail, QStringLiteral("entries[0].bytes"));
}

TEST(ProjectFile, DamagedAndNewerFilesAreRefusedNamingWhatIsWrong) {
    using Kind = ProjectError::Kind;
    const auto refused = [](const char* text) {
        return ReadProject(QByteArray(text), kProject, SetCatalogue::BuiltInsOnly());
    };
    EXPECT_EQ(refused("{\"format\": ").error().kind, Kind::NotJson);
    EXPECT_EQ(refused("[1, 2]").error().kind, Kind::NotProject);
    EXPECT_EQ(refused("{\"format\": \"other\"}").error().kind, Kind::NotProject);
    const auto newer = refused(R"({"format": "glyphwright-project", "version": 4})");
    EXPECT_EQ(newer.error().kind, Kind::Newer);
    EXPECT_EQ(newer.error().detail, QStringLiteral("4"));

    QByteArray file = WriteProject(Full(), kProject);
    ASSERT_TRUE(file.contains("\"code\": \"FE\""));
    const auto bad = ReadProject(QByteArray(file).replace("\"code\": \"FE\"", "\"code\": \"1FE\""),
                                 kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().kind, Kind::BadField);
    EXPECT_TRUE(bad.error().detail.endsWith(QStringLiteral(".code")));
    const auto badKind = ReadProject(QByteArray(file).replace("\"linebreak\"", "\"tab\""), kProject,
                                     SetCatalogue::BuiltInsOnly());
    EXPECT_EQ(badKind.error().kind, Kind::BadField);
    const auto noOrder = ReadProject(QByteArray(file).replace("\"order\"", "\"orders\""), kProject,
                                     SetCatalogue::BuiltInsOnly());
    EXPECT_EQ(noOrder.error().detail, QStringLiteral("order"));
}

// Every way a project file is refused, one row each: the file, and what the refusal says.
TEST(ProjectFile, EveryRefusalNamesItsKindAndField) {
    using Kind = ProjectError::Kind;
    struct Refusal {
        std::string file;
        Kind kind;
        QString detail;  // none checked for NotJson, whose detail is the parser's
    };
    // A valid project but for `fields`, which replace or join its own.
    const auto project = [](const std::string& fields) {
        QJsonObject root =
            QJsonDocument::fromJson(R"({"format": "glyphwright-project", "version": 1,
                                        "startCode": "", "entries": [], "order": []})")
                .object();
        const QJsonObject changed =
            QJsonDocument::fromJson(QByteArray::fromStdString("{" + fields + "}")).object();
        for (auto field = changed.begin(); field != changed.end(); ++field) {
            root.insert(field.key(), field.value());
        }
        return QJsonDocument(root).toJson().toStdString();
    };
    const auto entry = [&](const std::string& entryFields) {
        return project(R"("entries": [{)" + entryFields + "}]");
    };
    std::string thousandLines = R"("order": [)";
    for (int line = 0; line <= 1000; ++line) thousandLines += R"({"text": "a"},)";
    thousandLines.back() = ']';
    const std::vector<Refusal> refusals = {
        {R"({"format": )", Kind::NotJson, {}},
        {"[1, 2]", Kind::NotProject, {}},
        {R"({"format": "other", "version": 1})", Kind::NotProject, {}},
        {R"({"format": "glyphwright-project"})", Kind::BadField, "version"},
        {R"({"format": "glyphwright-project", "version": 0.5})", Kind::BadField, "version"},
        {R"({"format": "glyphwright-project", "version": 99})", Kind::Newer, "99"},
        {project(R"("sets": 5)"), Kind::BadField, "sets"},
        {project(R"("sets": [5])"), Kind::BadField, "sets"},
        {project(R"("startCode": 16)"), Kind::BadField, "startCode"},
        {project(R"("entries": {})"), Kind::BadField, "entries"},
        {project(R"("entries": [5])"), Kind::BadField, "entries[0].code"},
        {entry(R"("code": "1FE", "text": "a")"), Kind::BadField, "entries[0].code"},
        {entry(R"("code": "10", "bytes": "FF 01")"), Kind::BadField, "entries[0].bytes"},  // no EUC-JP
        {entry(R"("code": "10", "bytes": "GG")"), Kind::BadField, "entries[0].bytes"},
        {entry(R"("code": "10")"), Kind::BadField, "entries[0].text"},
        {entry(R"("code": "10", "text": "a", "kind": "tab")"), Kind::BadField, "entries[0].kind"},
        {project(R"("codeOrder": "middle")"), Kind::BadField, "codeOrder"},
        {project(R"("order": 5)"), Kind::BadField, "order"},
        {project(thousandLines), Kind::BadField, "order"},
        {project(R"("order": [{"start": "10"}])"), Kind::BadField, "order[0].text"},
        {project(R"("order": [{"text": "a", "start": "G0"}])"), Kind::BadField, "order[0].start"},
        {project(R"("lastRun": {"start": "10"})"), Kind::BadField, "lastRun"},
        {project(R"("gameFile": 5)"), Kind::BadField, "gameFile"},
        {project(R"("features": {"font": 5})"), Kind::BadField, "features.font"},
    };
    // The rows above are refused for what they change: unchanged, the project reads.
    const auto valid = ReadProject(QByteArray::fromStdString(project(R"("startCode": "")")), kProject,
                                   SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(valid.ok()) << valid.error().detail.toStdString();
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.file.substr(0, 160));
        const auto read = ReadProject(QByteArray::fromStdString(refusal.file), kProject,
                                      SetCatalogue::BuiltInsOnly());
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().kind, refusal.kind);
        if (refusal.kind != Kind::NotJson) {
            EXPECT_EQ(read.error().detail.toStdString(), refusal.detail.toStdString());
        }
    }
}

UserSet Set(std::string name, std::initializer_list<const char*> members) {
    UserSet set{std::move(name), {}};
    for (const char* member : members) set.members.push_back(EncodeEucJp(member).value());
    return set;
}

// What the order lays on each code from 20 on, member by member.
std::vector<std::string> Laid(const TableOrder& order) {
    const auto assembly = PreviewAssembly(order, 0x20);
    if (!assembly) return {};
    std::vector<std::string> laid;
    for (const LaidCode& code : assembly.value().laid) laid.emplace_back(code.member);
    return laid;
}

// A project made where the user had the set "Town" (a DTE pair among its members), beside a
// built-in set and a set of the user's that no line uses.
struct MadeElsewhere {
    SetCatalogue sets{
        std::vector<UserSet>{Set("Town", {"あ", "きゃ", "ン"}), Set("Unused", {"x"})}};
    DocumentContents contents;
    QByteArray file;

    MadeElsewhere() {
        contents.order.UseCatalogue(sets);
        test::RecordOrder(contents.order, {{"Town", 0x20}, {"0-9"}, {"Town", 0x40}});
        file = WriteProject(contents, kProject);
    }
};

TEST(ProjectFile, KeepsACopyOfTheUsersSetsItsOrderLaysAndOnlyThose) {
    const MadeElsewhere made;
    const auto kept = ReadKeptSets(made.file);
    ASSERT_TRUE(kept.ok()) << kept.error().detail.toStdString();
    EXPECT_EQ(kept.value(), std::vector<UserSet>{Set("Town", {"あ", "きゃ", "ン"})});
    const auto read = ReadProject(made.file, kProject, made.sets);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), made.contents);
    // Where the user has the same set, opening changes nothing of theirs.
    const FittedSets fitted = FitKeptSets(made.sets.UserSets(), kept.value(), " (from game)");
    EXPECT_FALSE(fitted.Changed());
    EXPECT_EQ(fitted.userSets, made.sets.UserSets());
    // A project of built-in sets alone keeps none, and a project written before sets were kept
    // reads with none.
    EXPECT_FALSE(WriteProject(Full(), kProject).contains("\"sets\""));
    EXPECT_TRUE(ReadKeptSets(WriteProject(Full(), kProject)).value().empty());
}

TEST(ProjectFile, OpenedWhereTheSetIsMissingItLaysTheCopyAndTheUserGetsIt) {
    const MadeElsewhere made;
    const std::vector<UserSet> mine{Set("Mine", {"a"})};
    const FittedSets fitted = FitKeptSets(mine, ReadKeptSets(made.file).value(), " (from game)");
    EXPECT_EQ(fitted.added, std::vector<std::string>{"Town"});
    EXPECT_TRUE(fitted.renamed.empty());
    EXPECT_EQ(fitted.userSets,
              (std::vector<UserSet>{Set("Mine", {"a"}), Set("Town", {"あ", "きゃ", "ン"})}));

    // The lines are read as laying the set even before the catalogue has it.
    const SetCatalogue sets(fitted.userSets);
    auto read = ReadProject(made.file, kProject, SetCatalogue::BuiltInsOnly());
    ASSERT_TRUE(read.ok());
    DocumentContents contents = std::move(read).value();
    contents.order.UseCatalogue(sets);
    EXPECT_EQ(contents.order.SetNameOf(2), "Town");
    EXPECT_EQ(Laid(contents.order), Laid(made.contents.order));
    EXPECT_EQ(Laid(contents.order)[0x41], "きゃ");
}

TEST(ProjectFile, OpenedBesideADifferentSetOfTheNameItLaysItsCopyAndTheUsersSetStays) {
    const MadeElsewhere made;
    const UserSet theirs = Set("Town", {"い", "う"});
    const std::vector<UserSet> mine{theirs};
    const FittedSets fitted = FitKeptSets(mine, ReadKeptSets(made.file).value(), " (from game)");
    using Renamed = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(fitted.renamed, (Renamed{{"Town", "Town (from game)"}}));
    EXPECT_TRUE(fitted.added.empty());
    EXPECT_EQ(fitted.userSets,
              (std::vector<UserSet>{theirs, Set("Town (from game)", {"あ", "きゃ", "ン"})}));

    const SetCatalogue sets(fitted.userSets);
    auto read = ReadProject(made.file, kProject, sets);
    ASSERT_TRUE(read.ok());
    DocumentContents contents = std::move(read).value();
    RenameSetLines(contents.order, fitted.renamed);
    EXPECT_EQ(contents.order.SetNameOf(0), "Town (from game)");
    EXPECT_EQ(contents.order.SetNameOf(2), "Town (from game)");
    EXPECT_EQ(contents.order.StartOf(2), 0x40);
    EXPECT_EQ(Laid(contents.order), Laid(made.contents.order));

    // Opened again before it was saved: the copy added then serves, no second one is made. A
    // name taken by yet another set moves on to the next free one.
    EXPECT_EQ(FitKeptSets(fitted.userSets, ReadKeptSets(made.file).value(), " (from game)").renamed,
              (Renamed{{"Town", "Town (from game)"}}));
    const std::vector<UserSet> crowded{theirs, Set("Town (from game)", {"え"})};
    EXPECT_EQ(FitKeptSets(crowded, ReadKeptSets(made.file).value(), " (from game)").renamed,
              (Renamed{{"Town", "Town (from game) 2"}}));
}

TEST(ProjectFile, DamagedKeptSetsRefuseTheProjectNamingTheLine) {
    const MadeElsewhere made;
    // A member EUC-JP cannot hold, on the kept sets' sixth line.
    const QByteArray file = QByteArray(made.file).replace("\"= ン\"", "\"= 😀\"");
    ASSERT_NE(file, made.file);
    const auto read = ReadProject(file, kProject, made.sets);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ProjectError::Kind::BadField);
    EXPECT_EQ(read.error().detail, QStringLiteral("sets[5]"));
}

}  // namespace
}  // namespace glyphwright
