#include <gtest/gtest.h>

#include "core/AssembleTable.h"
#include "core/CodeOrder.h"
#include "core/EucJp.h"
#include "project/ProjectFile.h"
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
    contents.table.TableText[0x90] = EncodeEucJp("漢").value();
    contents.table.TableText[0xFE] = "\\n";
    contents.kinds[0xFE] = EntryKind::LineBreak;
    contents.table.TableText[0xFF] = "end";
    contents.kinds[0xFF] = EntryKind::EndCode;
    contents.table.TableText[0x05] = "\xFF\x01";  // no EUC-JP text: kept as bytes
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
    contents.table.TwoByte[0x8140] = {EncodeEucJp("亜").value()};
    contents.table.TwoByte[0x2000] = {"\xFF", EntryKind::Ordinary};
    contents.table.TwoByte[0xFFFF] = {"end", EntryKind::EndCode};
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

TEST(ProjectFile, DamagedAndNewerFilesAreRefusedNamingWhatIsWrong) {
    using Kind = ProjectError::Kind;
    const auto refused = [](const char* text) {
        return ReadProject(QByteArray(text), kProject, SetCatalogue::BuiltInsOnly());
    };
    EXPECT_EQ(refused("{\"format\": ").error().kind, Kind::NotJson);
    EXPECT_EQ(refused("[1, 2]").error().kind, Kind::NotProject);
    EXPECT_EQ(refused("{\"format\": \"other\"}").error().kind, Kind::NotProject);
    const auto newer = refused(R"({"format": "glyphwright-project", "version": 3})");
    EXPECT_EQ(newer.error().kind, Kind::Newer);
    EXPECT_EQ(newer.error().detail, QStringLiteral("3"));

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

}  // namespace
}  // namespace glyphwright
