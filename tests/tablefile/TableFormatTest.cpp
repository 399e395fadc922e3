#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/text/EucJp.h"
#include "tablefile/TableFormat.h"
#include "tablefile/WriteTableFile.h"

namespace glyphwright {
namespace {

using Kind = FormatError::Kind;
using Lines = std::vector<std::pair<int, std::string>>;  // (code, text)

// The Hiragana set in its order, as typed and as code page 932 stores it.
const std::string kHiragana =
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんっ"
    "ゃゅょ";
const std::string kHiraganaCp932 =
    "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD\x82\xAF\x82\xB1"
    "\x82\xB3\x82\xB5\x82\xB7\x82\xB9\x82\xBB\x82\xBD\x82\xBF\x82\xC2\x82\xC4\x82\xC6"
    "\x82\xC8\x82\xC9\x82\xCA\x82\xCB\x82\xCC\x82\xCD\x82\xD0\x82\xD3\x82\xD6\x82\xD9"
    "\x82\xDC\x82\xDD\x82\xDE\x82\xDF\x82\xE0\x82\xE2\x82\xE4\x82\xE6\x82\xE7\x82\xE8"
    "\x82\xE9\x82\xEA\x82\xEB\x82\xED\x82\xF0\x82\xF1\x82\xC1\x82\xE1\x82\xE3\x82\xE5";
constexpr ByteCode kFirst = 0x0E;
constexpr ByteCode kLast = 0x69;

std::string Euc(const std::string& utf8) {
    const auto encoded = EncodeEucJp(utf8);
    EXPECT_TRUE(encoded.ok()) << utf8;
    return encoded.ok() ? encoded.value() : std::string();
}

// From start code 0E: 0E left empty, "漢" at 0F, Hiragana 10-41, "ab" at 42, then Uppercase
// Alphabet from its own start 50 (to 69), leaving 43-4F empty. 0D and 6A lie outside the range
// laid: only the classic file leaves them out.
CodeTable MixedTable() {
    CodeTable table{};
    table[0x0D] = "-";
    table[0x0F] = "漢";
    const CharacterSet& hiragana = *FindBuiltInSet("Hiragana");
    for (std::size_t k = 0; k < hiragana.size(); ++k) table[0x10 + k] = hiragana.text(k);
    table[0x42] = "ab";
    const CharacterSet& uppercase = *FindBuiltInSet("Uppercase Alphabet");
    for (std::size_t k = 0; k < uppercase.size(); ++k) table[0x50 + k] = uppercase.member(k);
    table[0x6A] = "+";
    return table;
}

// The lines the mixed table gives in a text format; the kana are cut from `kana` every `width`
// bytes.
Lines MixedLines(const std::string& kanji, const std::string& kana, std::size_t width) {
    Lines lines{{0x0D, "-"}, {0x0F, kanji}};
    for (std::size_t k = 0; k < 50; ++k) {
        lines.emplace_back(0x10 + k, kana.substr(k * width, width));
    }
    lines.emplace_back(0x42, "ab");
    for (int k = 0; k < 26; ++k) lines.emplace_back(0x50 + k, std::string(1, char('A' + k)));
    lines.emplace_back(0x6A, "+");
    return lines;
}

std::string FileOf(const Lines& lines, const std::string& lineEnd) {
    std::string file;
    for (const auto& [code, text] : lines) {
        char prefix[4];
        std::snprintf(prefix, sizeof prefix, "%02X=", code);
        file += prefix + text + lineEnd;
    }
    return file;
}

// All of `bytes` converted, or nothing: no //IGNORE, no replacement.
std::optional<std::string> StrictIconv(const std::string& bytes, const char* to, const char* from) {
    const iconv_t handle = iconv_open(to, from);
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const bool whole = iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft) == 0 && inLeft == 0;
    iconv_close(handle);
    if (!whole) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// Reads a UTF-8 or Shift-JIS table file as a strict line-based reader would.
Lines ReadStrictly(const std::string& file, TableFormat format) {
    std::string text = file;
    std::string lineEnd = "\n";
    if (format == TableFormat::ShiftJis) {
        const auto decoded = StrictIconv(file, "UTF-8", "CP932");
        EXPECT_TRUE(decoded) << "not code page 932";
        text = decoded.value_or("");
        lineEnd = "\r\n";
    } else {
        EXPECT_TRUE(StrictIconv(file, "UTF-32LE", "UTF-8")) << "not UTF-8";
    }
    // ^[0-9A-F]{2}=.+$ where '.' takes neither CR nor LF; a byte-order mark would spoil the
    // first line's code.
    const auto upperHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    Lines lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find(lineEnd, at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line unterminated";
            break;
        }
        const std::string line = text.substr(at, end - at);
        at = end + lineEnd.size();
        if (line.size() < 4 || !upperHex(line[0]) || !upperHex(line[1]) || line[2] != '=' ||
            line.find_first_of("\r\n") != std::string::npos) {
            ADD_FAILURE() << "malformed line \"" << line << '"';
            continue;
        }
        const int code = std::stoi(line.substr(0, 2), nullptr, 16);
        EXPECT_TRUE(lines.empty() || code > lines.back().first) << line << " out of order";
        lines.emplace_back(code, line.substr(3));
    }
    return lines;
}

TEST(TableFormat, ClassicIsTheWritersFile) {
    const CodeTable table = MixedTable();
    // The writer's bytes for the same entries in EUC-JP.
    CodeTable bytes{};
    for (std::size_t code = 0; code < table.size(); ++code) bytes[code] = Euc(table[code]);
    std::string written;
    WriteTableFile(written, bytes, kFirst, kLast);
    const auto classic = FormatTable(table, kFirst, kLast, TableFormat::Classic);
    ASSERT_TRUE(classic.ok());
    EXPECT_EQ(classic.value(), written);
    const std::string head = "0E=\r\r\n0F=\xB4\xC1\r\r\n10=\xA4\xA2\r\r\n";
    EXPECT_EQ(classic.value().substr(0, head.size()), head);
    const std::string tail = "69=Z\r\r\n\r\r\n";
    EXPECT_EQ(classic.value().substr(classic.value().size() - tail.size()), tail);
}

// Whatever the range laid, the text formats hold every filled code: an imported table or single
// entries reach the file whole.
TEST(TableFormat, Utf8AndShiftJisHoldOneLinePerFilledCodeOfTheWholeTable) {
    const CodeTable table = MixedTable();
    const Lines typed = MixedLines("漢", kHiragana, 3);

    const auto utf8 = FormatTable(table, kFirst, kLast, TableFormat::Utf8);
    ASSERT_TRUE(utf8.ok());
    EXPECT_EQ(utf8.value(), FileOf(typed, "\n"));
    EXPECT_EQ(ReadStrictly(utf8.value(), TableFormat::Utf8), typed);

    const auto shiftJis = FormatTable(table, kFirst, kLast, TableFormat::ShiftJis);
    ASSERT_TRUE(shiftJis.ok());
    EXPECT_EQ(shiftJis.value(), FileOf(MixedLines("\x8A\xBF", kHiraganaCp932, 2), "\r\n"));
    EXPECT_EQ(ReadStrictly(shiftJis.value(), TableFormat::ShiftJis), typed);

    EXPECT_EQ(FormatTable(table, 0x43, 0x30, TableFormat::Utf8).value(), utf8.value());
    EXPECT_EQ(FormatTable(CodeTable{}, 0x43, 0x4F, TableFormat::Utf8).value(), "");
}

// Each entry goes in at 30, with a fault at 60 too: both are named, the lowest code first, so
// that mending one does not merely reveal the other.
TEST(TableFormat, EveryEntryThatCannotBeWrittenIsNamedAtOnce) {
    const struct {
        std::string entry;
        Kind kind;
        std::string character;
    } cases[] = {
        {"A\nB", Kind::LineBreak, "\n"},
        {"\r", Kind::LineBreak, "\r"},
        {"x\x01", Kind::ControlCharacter, "\x01"},
        {"\x7F", Kind::ControlCharacter, "\x7F"},
        {"あ\xC2\x85", Kind::ControlCharacter, "\xC2\x85"},  // C1 NEL
    };
    for (const TableFormat format : {TableFormat::Utf8, TableFormat::ShiftJis}) {
        for (const auto& c : cases) {
            CodeTable table = MixedTable();
            table[0x30] = c.entry;
            table[0x60] = "\x01";
            const auto file = FormatTable(table, kFirst, kLast, format);
            ASSERT_FALSE(file.ok()) << c.entry;
            FormatError expected{0x30, c.kind, c.character};
            expected.others = {FormatError{0x60, Kind::ControlCharacter, "\x01"}};
            EXPECT_EQ(file.error(), expected) << c.entry << " gave " << file.error().character;
        }
    }
    // A classic file asked of two-byte codes names the one-byte entries EUC-JP lacks as well.
    CodeTable table{};
    table[0x10] = "ゔ";
    TwoByteTable twoByte;
    twoByte[0x8140] = {"あ"};
    const auto classic = FormatTable(table, 0x10, 0x10, TableFormat::Classic, {}, twoByte);
    ASSERT_FALSE(classic.ok());
    EXPECT_EQ(classic.error().kind, Kind::TwoByteCodes);
    ASSERT_EQ(classic.error().others.size(), 1U);
    EXPECT_EQ(classic.error().others[0].kind, Kind::NotEucJp);
    EXPECT_EQ(classic.error().others[0].codes, (std::vector<TableCode>{TableCode(0x10)}));
}

// 丂 (JIS X 0212, EUC-JP 8F B0 A1) has no code in CP932.
TEST(TableFormat, ACharacterCodePage932LacksStopsOnlyShiftJis) {
    CodeTable table = MixedTable();
    table[0x30] = "あ丂";
    const auto utf8 = FormatTable(table, kFirst, kLast, TableFormat::Utf8);
    ASSERT_TRUE(utf8.ok());
    EXPECT_NE(utf8.value().find("\n30=あ丂\n"), std::string::npos);

    const auto shiftJis = FormatTable(table, kFirst, kLast, TableFormat::ShiftJis);
    ASSERT_FALSE(shiftJis.ok());
    EXPECT_EQ(shiftJis.error(), (FormatError{0x30, Kind::Unconvertible, "丂"}));
}

// End codes and line breaks: "/FF=[end]" and "FE=改\n" (the line break's visible label, then
// backslash, n) in UTF-8 and Shift-JIS, each with its format's line end; the classic file keeps
// every rule and writes the label as text.
TEST(TableFormatTest, ControlCodesInEachFormat) {
    CodeTable table{};
    EntryKinds kinds{};
    table[0x41] = "A";
    table[0xFE] = std::string("改");  // what the classic file shows for the line break
    kinds[0xFE] = EntryKind::LineBreak;
    table[0xFF] = "end";
    kinds[0xFF] = EntryKind::EndCode;
    EXPECT_EQ(FormatTable(table, 0x41, 0xFF, TableFormat::Utf8, kinds).value(),
              "41=A\n"
              "FE=改\\n\n"
              "/FF=[end]\n");
    EXPECT_EQ(FormatTable(table, 0x41, 0xFF, TableFormat::ShiftJis, kinds).value(),
              "41=A\r\n"
              "FE=\x89\xFC\\n\r\n"
              "/FF=[end]\r\n");
    // The classic file shows the line break's text, in EUC-JP, and the end code's label.
    const std::string classic = FormatTable(table, 0x41, 0xFF, TableFormat::Classic, kinds).value();
    EXPECT_EQ(classic, "41=A\r\r\nFE=\xB2\xFE\r\r\nFF=end\r\r\n\r\r\n");

    // A line break needs no text of its own; an empty ordinary slot still gets no line.
    table[0xFE].clear();
    table[0x41].clear();
    EXPECT_EQ(FormatTable(table, 0xFE, 0xFE, TableFormat::Utf8, kinds).value(),
              "FE=\\n\n/FF=[end]\n");
}

// The built-in ASCII set, blank to ~, laid from 20: every member written as it is in every
// format, [ ] < > \ and ~ included, and the codes of < and > named for the warning, since
// abcde refuses a table holding them.
TEST(TableFormatTest, TheAsciiSetIsWrittenInEveryFormatAndAngleBracketsAreNamed) {
    const CharacterSet* ascii = FindBuiltInSet("ASCII");
    ASSERT_NE(ascii, nullptr);
    TableEntries table;
    std::string lines;
    for (std::size_t k = 0; k < ascii->size(); ++k) {
        const auto code = static_cast<ByteCode>(0x20 + k);
        table.Put(code, {std::string(ascii->text(k))});
        lines += TableCode(code).Hex() + '=' + std::string(ascii->text(k)) + '\x01';
    }
    ASSERT_EQ(lines.substr(0, 10), "20= \x01" "21=!\x01");
    const auto ending = [&lines](std::string_view end) {
        std::string file;
        for (const char c : lines) file += c == '\x01' ? std::string(end) : std::string(1, c);
        return file;
    };
    EXPECT_EQ(FormatTable(table, 0x20, 0x7E, TableFormat::Utf8).value(), ending("\n"));
    EXPECT_NE(ending("\n").find("3C=<\n3D==\n3E=>\n"), std::string::npos);
    EXPECT_NE(ending("\n").find("5B=[\n5C=\\\n5D=]\n"), std::string::npos);
    EXPECT_EQ(FormatTable(table, 0x20, 0x7E, TableFormat::ShiftJis).value(), ending("\r\n"));
    EXPECT_EQ(FormatTable(table, 0x20, 0x7E, TableFormat::Classic).value(),
              ending("\r\r\n") + "\r\r\n");
    const std::vector<TableCode> angles{TableCode(0x3C), TableCode(0x3E)};
    for (const TableFormat format :
         {TableFormat::Classic, TableFormat::Utf8, TableFormat::ShiftJis}) {
        EXPECT_EQ(AngleBracketCodes(table, 0x20, 0x7E, format), angles) << FormatName(format);
    }

    // Only what the file holds is named: the classic file keeps to its range and has no two-byte
    // code; the text formats write every entry, a line break's text as its label before "\n".
    table.Put(0x10, {"<end>", EntryKind::EndCode});
    table.Put(0x11, {"<", EntryKind::LineBreak});
    table.Put(TableCode::TwoByte(0x8140), {"a>b"});
    EXPECT_EQ(AngleBracketCodes(table, 0x20, 0x7E, TableFormat::Classic), angles);
    EXPECT_EQ(AngleBracketCodes(table, 0x10, 0x7E, TableFormat::Classic),
              (std::vector<TableCode>{TableCode(0x10), TableCode(0x11), TableCode(0x3C),
                                      TableCode(0x3E)}));
    EXPECT_EQ(AngleBracketCodes(table, 0x20, 0x7E, TableFormat::Utf8),
              (std::vector<TableCode>{TableCode(0x10), TableCode(0x11), TableCode(0x3C),
                                      TableCode(0x3E), TableCode::TwoByte(0x8140)}));
}

// An end code's label stands inside brackets: one of its own would close them early, so it is
// refused, naming the code; < and > are written there.
TEST(TableFormatTest, ABracketInAnEndCodesLabelIsRefused) {
    CodeTable table{};
    EntryKinds kinds{};
    table[0x32] = "<end>";
    kinds[0x32] = EntryKind::EndCode;
    EXPECT_EQ(FormatTable(table, 0x32, 0x32, TableFormat::Utf8, kinds).value(), "/32=[<end>]\n");
    table[0x32] = "e]nd";
    table[0x33] = "[a]";
    EXPECT_EQ(FormatTable(table, 0x32, 0x32, TableFormat::Utf8, kinds).error(),
              (FormatError{0x32, Kind::Markup, "]"}));
    EXPECT_TRUE(FormatTable(table, 0x32, 0x33, TableFormat::Classic, kinds).ok());
}

// A line as the Table File Standard's grammar has it: a hex key of whole bytes in upper case,
// "=" and any text on one line; or an end code, "/" before the key and its label in brackets.
bool IsStandardLine(std::string_view line) {
    const bool endCode = line.starts_with('/');
    if (endCode) line.remove_prefix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals % 2 != 0) return false;
    for (const char digit : line.substr(0, equals)) {
        if (!((digit >= '0' && digit <= '9') || (digit >= 'A' && digit <= 'F'))) return false;
    }
    std::string_view text = line.substr(equals + 1);
    if (endCode) {
        if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
        text = text.substr(1, text.size() - 2);
    }
    return text.find('\n') == std::string_view::npos &&
           (!endCode || text.find_first_of("[]") == std::string_view::npos);
}

// A table of both widths: each file lists its codes in the order of their stored bytes (80, then
// 8000, 8001, 80FF, then 81), two-byte control codes included, and a classic file is refused
// naming every two-byte code. The same text at a one-byte and a two-byte code is a duplicate.
TEST(TableFormatTest, MixedWidthsInStoredByteOrderAndTheClassicRefusal) {
    CodeTable table{};
    EntryKinds kinds{};
    table[0x80] = std::string("あ");
    table[0x81] = std::string("い");
    TwoByteTable twoByte;
    twoByte[0x8000] = {std::string("亜")};
    twoByte[0x8001] = {"", EntryKind::LineBreak};
    twoByte[0x80FF] = {"end", EntryKind::EndCode};
    twoByte[0x0100] = {std::string("い")};
    twoByte[0xFF00] = {"z"};
    EXPECT_EQ(FormatTable(table, 0x80, 0x81, TableFormat::Utf8, kinds, twoByte).value(),
              "0100=い\n"
              "80=あ\n"
              "8000=亜\n"
              "8001=\\n\n"
              "/80FF=[end]\n"
              "81=い\n"
              "FF00=z\n");
    EXPECT_EQ(FormatTable(table, 0x80, 0x81, TableFormat::ShiftJis, kinds, twoByte).value(),
              "0100=\x82\xA2\r\n"
              "80=\x82\xA0\r\n"
              "8000=\x88\x9F\r\n"
              "8001=\\n\r\n"
              "/80FF=[end]\r\n"
              "81=\x82\xA2\r\n"
              "FF00=z\r\n");

    // Each line as the Table File Standard's grammar has it: a hex key of whole bytes, upper case,
    // then "=" and text; an end code "/" before and its label in brackets.
    const std::string utf8 =
        FormatTable(table, 0x80, 0x81, TableFormat::Utf8, kinds, twoByte).value();
    for (std::size_t at = 0, end; (end = utf8.find('\n', at)) != std::string::npos; at = end + 1) {
        EXPECT_TRUE(IsStandardLine(utf8.substr(at, end - at))) << utf8.substr(at, end - at);
    }

    const auto classic = FormatTable(table, 0x80, 0x81, TableFormat::Classic, kinds, twoByte);
    ASSERT_FALSE(classic.ok());
    EXPECT_EQ(classic.error().kind, Kind::TwoByteCodes);
    std::vector<std::string> named;
    for (const TableCode code : classic.error().twoByteCodes) named.push_back(code.Hex());
    EXPECT_EQ(named, (std::vector<std::string>{"0100", "8000", "8001", "80FF", "FF00"}));

    const auto duplicates = DuplicateEntries(table, kinds, twoByte);
    ASSERT_EQ(duplicates.size(), 1U);
    EXPECT_EQ(duplicates[0].codes,
              (std::vector<TableCode>{TableCode::TwoByte(0x0100), TableCode::OneByte(0x81)}));
}

// Entries are Unicode: the text formats write what EUC-JP lacks, and the classic file refuses it
// naming every such code at once, whatever else it could write.
TEST(TableFormatTest, TheClassicFileNamesEveryCodeEucJpCannotHold) {
    TableEntries table;
    table.Put(0x10, {"ゔ"});
    table.Put(0x11, {"𠮷"});
    table.Put(0x12, {"あ"});
    table.Put(0x20, {"－"});  // a full-width hyphen-minus: no EUC-JP code either
    EXPECT_EQ(FormatTable(table, 0x10, 0x20, TableFormat::Utf8).value(),
              "10=ゔ\n11=𠮷\n12=あ\n20=－\n");
    const auto classic = FormatTable(table, 0x10, 0x20, TableFormat::Classic);
    ASSERT_FALSE(classic.ok());
    EXPECT_EQ(classic.error().kind, FormatError::Kind::NotEucJp);
    EXPECT_EQ(classic.error().codes,
              (std::vector<TableCode>{TableCode(0x10), TableCode(0x11), TableCode(0x20)}));
    EXPECT_EQ(classic.error().character, "ゔ");
    // Outside the range the classic file covers, an entry is no hindrance.
    EXPECT_EQ(FormatTable(table, 0x12, 0x12, TableFormat::Classic).value(),
              "12=\xA4\xA2\r\r\n\r\r\n");
    ASSERT_TRUE(ClassicCannotHold(table).has_value());
    EXPECT_EQ(ClassicCannotHold(table)->codes.size(), 3U);
}

}  // namespace
}  // namespace glyphwright
