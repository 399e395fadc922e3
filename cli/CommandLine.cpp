#include "CommandLine.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <atomic>

#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "CommandLineMessages.h"
#include "DumpCommand.h"
#include "DumpMessages.h"
#include "GameFileMessages.h"
#include "FindFontCommand.h"
#include "FindFontMessages.h"
#include "GlyphSheet.h"
#include "HexText.h"
#include "ImportTableMessages.h"
#include "MakeTable.h"
#include "MakeTableMessages.h"
#include "ProjectMessages.h"
#include "SaveFileAtomically.h"
#include "SearchMessages.h"
#include "SetFileStore.h"
#include "SetsMessages.h"
#include "TableOrderMessages.h"
#include "UserSetsPath.h"
#include "Version.h"
#include "core/compression/Compression.h"
#include "core/game/GameFile.h"
#include "core/glyphs/DecodeGlyphs.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/Repertoire.h"
#include "core/glyphs/SuggestionReport.h"
#include "core/search/HitStart.h"
#include "core/search/RelativeSearch.h"
#include "core/sets/BuiltInSets.h"
#include "core/sets/ProjectSets.h"
#include "core/sets/SetCatalogue.h"
#include "core/table/CodeOrder.h"
#include "core/table/HeldEntries.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableCode.h"
#include "core/text/EucJp.h"
#include "project/ProjectFile.h"
#include "tablefile/ImportTable.h"
#include "tablefile/WritesCode.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

constexpr std::array kAllRepertoires = {Repertoire::Kana, Repertoire::Ascii, Repertoire::FullWidth,
                                        Repertoire::Level1Kanji, Repertoire::Level2Kanji};
// Level-2 kanji are rare in games and would double the candidates; the user adds them.
constexpr std::array kDefaultRepertoires = {Repertoire::Kana, Repertoire::Ascii,
                                            Repertoire::FullWidth, Repertoire::Level1Kanji};

void Print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Writes `bytes` and makes sure they left the program: a full disk or a pipe nobody reads any
// more must not pass for success. Returns the errno, or 0.
int Emit(std::FILE* out, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        return errno != 0 ? errno : EIO;
    }
    return 0;
}

int BadUsage(std::FILE* err, const QString& command, const QString& problem) {
    Print(err, QStringLiteral("glyphwright: %1\n%2\n").arg(problem, Words::TryHelp(command)));
    return kExitBadUsage;
}

int TableProblem(std::FILE* err, const QString& message) {
    Print(err, QStringLiteral("glyphwright: %1\n").arg(message));
    return kExitTableProblem;
}

int Show(std::FILE* out, std::FILE* err, std::string_view bytes) {
    if (const int error = Emit(out, bytes)) {
        return TableProblem(
            err, Words::StandardOutputFailed(QString::fromLocal8Bit(std::strerror(error))));
    }
    return kExitSuccess;
}

int Show(std::FILE* out, std::FILE* err, const QString& text) {
    return Show(out, err, text.toLocal8Bit().toStdString());
}

int ShowVersion(std::FILE* out, std::FILE* err) {
    return Show(out, err, std::string(kProductName) + ' ' + kVersionText + '\n');
}

enum class Asked { Nothing, Help, Version };

// --help or --version anywhere before "--" wins over everything else on the line, so that a
// half-written command can still ask for help.
Asked AskedFor(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--")) break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return Asked::Help;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            return Asked::Version;
        }
    }
    return Asked::Nothing;
}

template <std::size_t N>
std::optional<QString>* FindOption(
    const std::pair<const char*, std::optional<QString>*> (&options)[N], const QString& name) {
    for (const auto& [option, slot] : options) {
        if (name == QLatin1String(option)) return slot;
    }
    return nullptr;
}

struct MakeArguments {
    std::optional<QString> start;
    std::optional<QString> output;
    std::optional<QString> format;
    std::optional<QString> project;
    std::optional<QString> sets;
    // --import, repeatable, in the order given, each with the --import-format before it ("" for
    // none: the format is found from the file).
    std::vector<std::pair<QString, QString>> imports;
    QString importFormat;  // the last --import-format so far
    std::optional<QString> codeOrder;
    QStringList lines;

    std::optional<QString>* OptionValue(const QString& name) {
        if (name == QLatin1String("--code-order")) return &codeOrder;
        if (name == QLatin1String("--start") || name == QLatin1String("-s")) return &start;
        if (name == QLatin1String("--output") || name == QLatin1String("-o")) return &output;
        if (name == QLatin1String("--format") || name == QLatin1String("-f")) return &format;
        if (name == QLatin1String("--project") || name == QLatin1String("-p")) return &project;
        if (name == QLatin1String("--sets")) return &sets;
        return nullptr;
    }
};

// Where a game's glyphs are and how they are stored: the options glyphs and font-table share.
struct GlyphOptions {
    std::optional<QString> game;
    std::optional<QString> offset;
    std::optional<QString> tiles;
    std::optional<QString> glyph;
    std::optional<QString> tileOrder;
    std::optional<QString> count;
    std::optional<QString> compression;

    std::optional<QString>* GlyphOptionValue(const QString& name) {
        const std::pair<const char*, std::optional<QString>*> options[] = {
            {"--game", &game},           {"--offset", &offset},         {"--tiles", &tiles},
            {"--glyph", &glyph},         {"--tile-order", &tileOrder}, {"--count", &count},
            {"--compression", &compression},
        };
        return FindOption(options, name);
    }
};

struct GlyphsArguments : GlyphOptions {
    std::optional<QString> zoom;
    std::optional<QString> png;
    QStringList lines;  // none are taken

    std::optional<QString>* OptionValue(const QString& name) {
        const std::pair<const char*, std::optional<QString>*> options[] = {
            {"--zoom", &zoom},
            {"--png", &png},
        };
        if (auto* slot = FindOption(options, name)) return slot;
        return GlyphOptionValue(name);
    }
};

struct FontTableArguments : GlyphOptions {
    std::optional<QString> firstCode;
    std::optional<QString> repertoire;
    std::optional<QString> font;
    std::optional<QString> output;
    std::optional<QString> format;
    std::optional<QString> report;
    QStringList lines;  // none are taken

    std::optional<QString>* OptionValue(const QString& name) {
        const std::pair<const char*, std::optional<QString>*> options[] = {
            {"--first-code", &firstCode}, {"--repertoire", &repertoire}, {"--font", &font},
            {"--output", &output},        {"--format", &format},         {"--report", &report},
        };
        if (auto* slot = FindOption(options, name)) return slot;
        return GlyphOptionValue(name);
    }
};

struct SearchArguments {
    std::optional<QString> game;
    std::optional<QString> word;
    std::optional<QString> width;
    std::optional<QString> sets;
    QStringList lines;  // none are taken

    std::optional<QString>* OptionValue(const QString& name) {
        if (name == QLatin1String("--game") || name == QLatin1String("-g")) return &game;
        if (name == QLatin1String("--word") || name == QLatin1String("-w")) return &word;
        if (name == QLatin1String("--width")) return &width;
        if (name == QLatin1String("--sets")) return &sets;
        return nullptr;
    }
};

// Sorts a command's arguments into options and the rest: "--start 10", "--start=10" and
// "-s10" alike; "-" alone and everything after "--" are lines. A complaint on bad usage.
template <class Arguments>
Result<Arguments, QString> ReadArguments(const QStringList& arguments) {
    Arguments read;
    bool linesOnly = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (linesOnly || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            read.lines << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            linesOnly = true;
            continue;
        }
        QString name = argument;
        std::optional<QString> value;
        if (argument.startsWith(QLatin1String("--"))) {
            if (const qsizetype equals = argument.indexOf(QLatin1Char('=')); equals > 0) {
                name = argument.left(equals);
                value = argument.mid(equals + 1);
            }
        } else if (argument.size() > 2) {
            name = argument.left(2);
            value = argument.mid(2);
        }
        if (name == QLatin1String("--import") || name == QLatin1String("-i") ||
            name == QLatin1String("--import-format")) {
            if constexpr (requires { read.imports; }) {
                if (!value) {
                    if (i + 1 >= arguments.size()) return Words::MissingValue(name);
                    value = arguments[++i];
                }
                if (name == QLatin1String("--import-format")) {
                    if (!QStringList{"auto", "classic", "utf8", "sjis"}.contains(*value)) {
                        return Words::UnknownImportFormat(*value);
                    }
                    read.importFormat = *value;
                } else {
                    read.imports.emplace_back(*value, read.importFormat);
                }
                continue;
            }
        }
        std::optional<QString>* slot = read.OptionValue(name);
        // "-hx" is no -h with a value: the whole of it is what was not understood.
        if (slot == nullptr)
            return Words::UnknownOption(
                value && !argument.startsWith(QLatin1String("--")) ? argument : name);
        if (slot->has_value()) return Words::RepeatedOption(name);
        if (!value) {
            if (i + 1 >= arguments.size()) return Words::MissingValue(name);
            value = arguments[++i];
        }
        *slot = std::move(value);
    }
    return read;
}

std::optional<TableFormat> ReadFormat(const QString& name) {
    if (name == QLatin1String("classic")) return TableFormat::Classic;
    if (name == QLatin1String("utf8")) return TableFormat::Utf8;
    if (name == QLatin1String("sjis")) return TableFormat::ShiftJis;
    return std::nullopt;
}

struct SetLine {
    const CharacterSet* set = nullptr;
    std::optional<std::string> start;  // the own start as typed after '@'
};
struct EntryLine {
    std::string code;  // as typed before '='
    std::string text;  // UTF-8
};
using OrderLine = std::variant<SetLine, EntryLine>;

// What a LINE argument asks for, by its shape alone: a set name exactly as the catalogue has it,
// a set name and '@', or anything with '='. The values are read when the order is built.
std::optional<OrderLine> ReadOrderLine(const SetCatalogue& sets, const QString& line) {
    const std::string text = line.toStdString();
    if (const CharacterSet* set = sets.Find(text)) return SetLine{set, std::nullopt};
    if (const auto at = text.rfind('@'); at != std::string::npos) {
        if (const CharacterSet* set = sets.Find(std::string_view(text).substr(0, at))) {
            return SetLine{set, text.substr(at + 1)};
        }
    }
    if (const auto equals = text.find('='); equals != std::string::npos) {
        return EntryLine{text.substr(0, equals), text.substr(equals + 1)};
    }
    return std::nullopt;
}

QString SetNames(const SetCatalogue& sets) {
    QStringList names;
    for (const CharacterSet& set : sets.Sets()) {
        names << QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Builds the Table Order as the windows do from the same lines: a single entry goes into its
// code at once, a set is recorded with its own start. The failure is worded as there. A code of
// three or four digits is two bytes as stored ("@0080" is not "@80").
std::optional<QString> BuildOrder(const std::vector<OrderLine>& lines, Workspace& workspace,
                                  TableOrder& order) {
    for (const OrderLine& line : lines) {
        if (order.IsFull()) return Words::TooManyLines();
        if (const auto* setLine = std::get_if<SetLine>(&line)) {
            std::optional<TableCode> start;
            if (setLine->start) {
                const auto read = ReadTypedCode(*setLine->start);
                if (!read) return TableOrderMessages::BadTableCode(*setLine->start, read.error());
                start = read.value();
            }
            (void)order.AppendSetLine(std::string(setLine->set->name));
            order.SetStartCode(order.LineCount() - 1, start);
            continue;
        }
        const auto& entry = std::get<EntryLine>(line);
        const auto code = ReadTypedCode(entry.code);
        if (!code) return TableOrderMessages::BadTableCode(entry.code, code.error());
        const auto bytes = EncodeEucJp(entry.text);
        if (!bytes)
            return TableOrderMessages::NotEucJp(QString::fromStdString(bytes.error().character));
        if (code.value().IsTwoByte()) {
            // An empty text takes the code away, as an empty ordinary entry is no entry.
            if (bytes.value().empty()) {
                workspace.TwoByte.erase(code.value().Stored());
            } else {
                workspace.TwoByte[code.value().Stored()] = {bytes.value(), EntryKind::Ordinary};
            }
        } else {
            workspace.TableText[code.value().FirstByte()] = bytes.value();
        }
        (void)order.AppendEntryLine(entry.text);
    }
    return std::nullopt;
}

// The user's sets: those of the set file a script names, or else the user's own, checked.
Result<std::vector<UserSet>, SetFileReadError> UserSets(const std::optional<QString>& file) {
    if (file) return ReadSetFileAt(QFile::encodeName(*file).toStdString());
    return ReadSetFileAt(QFile::encodeName(UserSetsPath()).toStdString(), true);
}

int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("make");
    const auto read = ReadArguments<MakeArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const MakeArguments& options = read.value();
    // The sets come first: a project's lines are read against them.
    const auto userSets = UserSets(options.sets);
    if (!userSets) return TableProblem(err, SetsMessages::Failure(userSets.error()));
    // A project lays the sets it keeps, the user's own of the same name left as they are, for
    // this run only.
    QByteArray projectFile;
    FittedSets fitted{userSets.value(), {}, {}};
    if (options.project) {
        QFile file(*options.project);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(
                err, ProjectMessages::ProjectUnreadable(*options.project, file.errorString()));
        }
        projectFile = file.readAll();
        if (const auto kept = ReadKeptSets(projectFile); kept) {
            fitted =
                FitKeptSets(userSets.value(), kept.value(),
                            SetsMessages::ProjectSetSuffix(QFileInfo(*options.project).fileName())
                                .toStdString());
        }
    }
    const SetCatalogue sets(fitted.userSets);
    DocumentContents contents;
    contents.order.UseCatalogue(sets);
    if (options.project) {
        auto project = ReadProject(projectFile, *options.project, sets);
        if (!project) return TableProblem(err, ProjectMessages::Failure(project.error()));
        contents = std::move(project).value();
        RenameSetLines(contents.order, fitted.renamed);
        if (!fitted.renamed.empty()) {
            Print(err, QStringLiteral("glyphwright: %1\n")
                           .arg(SetsMessages::KeptSetsAdded({}, fitted.renamed)));
        }
    }
    // The window asks for a missing start code; a script cannot answer.
    const std::optional<QString> start =
        options.start ? options.start
        : options.project && !contents.startCode.empty()
            ? std::optional<QString>(QString::fromStdString(contents.startCode))
            : std::nullopt;
    if (!options.output) return BadUsage(err, command, Words::MissingOutput());
    TableFormat format = FormatNamed(contents.tableFormat).value_or(TableFormat::Classic);
    if (options.format) {
        const auto chosen = ReadFormat(*options.format);
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*options.format));
        format = *chosen;
    }
    CodeOrder codeOrder = contents.codeOrder;
    if (options.codeOrder) {
        const auto chosen = CodeOrderNamed(options.codeOrder->toStdString());
        if (!chosen) return BadUsage(err, command, Words::UnknownCodeOrder(*options.codeOrder));
        codeOrder = *chosen;
    }
    std::vector<OrderLine> lines;
    for (const QString& line : options.lines) {
        auto orderLine = ReadOrderLine(sets, line);
        if (!orderLine) return BadUsage(err, command, Words::UnknownLine(line, SetNames(sets)));
        lines.push_back(std::move(*orderLine));
    }
    // A text format writes the whole table: with no set to lay it needs no start code.
    const bool laysASet = LaysASet(contents.order) ||
                          std::any_of(lines.begin(), lines.end(), [](const OrderLine& line) {
                              return std::holds_alternative<SetLine>(line);
                          });
    if (!start && (laysASet || !WritesWithNothingLaid(format))) {
        return BadUsage(err, command, Words::MissingStart());
    }

    // Imported tables come before the LINEs, each entry put on its code as a single entry is.
    for (const auto& [path, formatName] : options.imports) {
        // Read when given; "auto" or none: found from the file.
        const std::optional<TableFormat> importFormat = ReadFormat(formatName);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return TableProblem(err, Words::ImportUnreadable(path, file.errorString()));
        }
        const QByteArray bytes = file.readAll();
        const ImportedTable imported =
            ImportTable(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        importFormat);
        if (!imported.problems.empty()) {
            return TableProblem(err, ImportTableMessages::ImportProblems(path, imported.problems));
        }
        for (const auto& [code, entry] : imported.entries) {
            if (code.IsTwoByte()) {
                contents.table.TwoByte[code.Stored()] = entry;
            } else {
                contents.table.TableText[code.FirstByte()] = entry.bytes;
                contents.kinds[code.FirstByte()] = entry.kind;
            }
        }
    }
    Workspace workspace = contents.table;
    TableOrder order = contents.order;
    if (const auto failure = BuildOrder(lines, workspace, order)) {
        return TableProblem(err, *failure);
    }
    // Nothing laid: a text format still writes every entry the table holds.
    const bool entriesOnly =
        WritesWithNothingLaid(format) &&
        WritesEntriesOnly(workspace.TableText, contents.kinds, order, workspace.TwoByte);
    if (const auto composed =
            start ? ComposeTable(workspace, order, start->toStdString(), codeOrder)
                  : Result<Success, TableFailure>(
                        TableFailure{AssemblyError{AssemblyError::Kind::NothingToLay, 0, {}, 0}});
        !composed) {
        // The windows' words tell the user to type the code; here it is an option's value.
        if (const auto* bad = std::get_if<StartCodeError>(&composed.error())) {
            return TableProblem(err, Words::BadStart(*start, bad->error));
        }
        if (!entriesOnly) return TableProblem(err, MakeTableMessages::Failure(composed.error()));
    }
    const EntryKinds kinds =
        KindsAfter(contents.table.TableText, workspace.TableText, contents.kinds);
    // Inserters disagree about which code of the same text they write: said, and still written.
    const auto warnDuplicates = [&] {
        if (format == TableFormat::Classic) return;
        const auto duplicates = DuplicateEntries(workspace.TableText, kinds, workspace.TwoByte);
        if (!duplicates.empty()) {
            Print(err, QStringLiteral("glyphwright: %1\n")
                           .arg(MakeTableMessages::DuplicateWarning(duplicates)));
        }
    };
    if (*options.output == QLatin1String("-")) {
        const auto file = FormatTable(workspace.TableText, workspace.CurrentCode,
                                      workspace.LastCode, format, kinds, workspace.TwoByte);
        if (!file) return TableProblem(err, MakeTableMessages::Failure(file.error()));
        const int shown = Show(out, err, file.value());
        if (shown == kExitSuccess) warnDuplicates();
        return shown;
    }
    const SaveTarget target{QFile::encodeName(*options.output).toStdString(), format};
    if (const auto saved = SaveTable(workspace, target, kinds); !saved) {
        return TableProblem(err, MakeTableMessages::Failure(saved.error()));
    }
    warnDuplicates();
    return kExitSuccess;
}

int RunSets(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("sets");
    if (!arguments.isEmpty()) {
        const QString& first = arguments.front();
        return BadUsage(err, command,
                        first.startsWith(QLatin1Char('-')) && first.size() > 1
                            ? Words::UnknownOption(first)
                            : Words::NoArgumentsTaken(command, first));
    }
    const auto userSets = UserSets(std::nullopt);
    if (!userSets) return TableProblem(err, SetsMessages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    std::string listing;
    for (const CharacterSet& set : sets.Sets()) {
        listing.append(set.name).append(1, '\t').append(std::to_string(set.size())).append(1, '\n');
    }
    return Show(out, err, listing);
}

std::optional<std::uint64_t> ReadOffset(const QString& text) {
    QString digits = text;
    if (digits.startsWith(QLatin1String("0x")) || digits.startsWith(QLatin1String("0X"))) {
        digits = digits.mid(2);
    }
    if (digits.isEmpty() || digits.size() > 16) return std::nullopt;
    for (const QChar digit : digits) {
        if (!digit.isDigit() && !QStringLiteral("abcdefABCDEF").contains(digit)) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 16);
    if (!ok) return std::nullopt;
    return value;
}

// A whole number from 1 to `most`, in decimal digits only.
std::optional<int> ReadSmallNumber(const QString& text, int most) {
    if (text.isEmpty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.isDigit() && c.unicode() < 128;
        })) {
        return std::nullopt;
    }
    const int value = text.toInt();
    if (value < 1 || value > most) return std::nullopt;
    return value;
}

QString TileFormatNames() {
    QStringList names;
    for (const TileFormat format : AllTileFormats()) {
        const std::string_view name = TileFormatName(format);
        names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Reads the glyph options into a format, or says what is wrong with them.
Result<GlyphFormat, QString> ReadGlyphFormat(const GlyphOptions& options) {
    const auto tiles = ParseTileFormat(options.tiles->toStdString());
    if (!tiles) return Words::UnknownTileFormat(*options.tiles, TileFormatNames());
    TileOrder order = TileOrder::Across;
    if (options.tileOrder) {
        const auto chosen = ParseTileOrder(options.tileOrder->toStdString());
        if (!chosen) return Words::UnknownTileOrder(*options.tileOrder);
        order = *chosen;
    }
    const auto size = ParseGlyphSize(options.glyph->toStdString());
    if (!size) return Words::BadGlyphSize(*options.glyph);
    const auto format = GlyphFormat::Make(*tiles, size->width, size->height, order);
    if (!format) {
        if (format.error() == GlyphFormatProblem::NotWholeTiles) {
            return Words::GlyphNotWholeTiles(*options.glyph, *options.tiles);
        }
        const bool tiled = *tiles != TileFormat::Bitmap && *tiles != TileFormat::BitmapPacked;
        return Words::GlyphTooLarge(*options.glyph, *options.tiles,
                                    tiled ? GlyphFormat::kTileSide : GlyphFormat::kMinBitmapSide);
    }
    return format.value();
}

// The complaint about the first option of `required` not given (each with an example value),
// if any.
std::optional<QString> MissingOption(
    std::initializer_list<std::pair<const std::optional<QString>*, const char*>> required) {
    for (const auto& [value, example] : required) {
        if (!value->has_value()) {
            const QString shown = QString::fromLatin1(example);
            return Words::MissingOption(shown.section(QLatin1Char(' '), 0, 0),
                                        shown.section(QLatin1Char(' '), 1));
        }
    }
    return std::nullopt;
}

// The glyph options read: where the first glyph starts, how the glyphs are stored, and how many
// were asked for, if a count was given.
struct GlyphSource {
    std::uint64_t offset = 0;  // of the first glyph, or of the stream they are packed in
    GlyphFormat format;
    std::optional<int> count;
    Compression compression = Compression::None;
};

// Reads the shared glyph options (game, offset, tiles and glyph are given); a usage complaint when
// they make no sense.
Result<GlyphSource, QString> ReadGlyphSource(const GlyphOptions& options) {
    GlyphSource source;
    const auto offset = ReadOffset(*options.offset);
    if (!offset) return Words::BadOffset(*options.offset);
    source.offset = *offset;
    const auto format = ReadGlyphFormat(options);
    if (!format) return format.error();
    source.format = format.value();
    if (options.compression) {
        const auto chosen = ParseCompression(options.compression->toStdString());
        if (!chosen) return FindFontMessages::UnknownCompression(*options.compression);
        source.compression = *chosen;
    }
    if (options.count) {
        const auto chosen = ReadSmallNumber(*options.count, GlyphSheet::kMaxGlyphs);
        if (!chosen) return Words::BadCount(*options.count, GlyphSheet::kMaxGlyphs);
        source.count = *chosen;
    }
    return source;
}

// Where the glyphs are read from: the game file, or the stream packed at the offset, unpacked.
class GlyphReader {
public:
    GlyphReader(GameFile file, const GlyphSource& source, std::vector<std::uint8_t> unpacked)
        : file_(std::move(file)), source_(source), unpacked_(std::move(unpacked)) {}

    [[nodiscard]] Result<std::vector<GlyphImage>, QString> Read(std::uint64_t first,
                                                                std::size_t count) const {
        if (source_.compression == Compression::None) {
            auto glyphs = DecodeGlyphs(file_, source_.offset, source_.format, first, count);
            if (!glyphs) return GameFileMessages::Failure(glyphs.error());
            return std::move(glyphs).value();
        }
        // Glyph i at i * BytesPerGlyph() of what the stream unpacks to; the last one as far as
        // the bytes go.
        const std::size_t size = source_.format.BytesPerGlyph();
        std::vector<GlyphImage> glyphs;
        for (std::uint64_t i = first; i < first + count && i * size < unpacked_.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(i) * size;
            glyphs.push_back(DecodeGlyph(
                std::span(unpacked_).subspan(at, std::min(size, unpacked_.size() - at)),
                source_.format));
        }
        return glyphs;
    }

private:
    GameFile file_;
    GlyphSource source_;
    std::vector<std::uint8_t> unpacked_;
};

QString StreamProblemText(StreamProblem problem) {
    switch (problem) {
        case StreamProblem::NoHeader: return FindFontMessages::NoStreamHeader();
        case StreamProblem::EmptyStream: return FindFontMessages::EmptyStream();
        case StreamProblem::Truncated: return FindFontMessages::TruncatedStream();
        case StreamProblem::BadReference: return FindFontMessages::BadReference();
        case StreamProblem::Overshoots: return FindFontMessages::Overshoots();
        case StreamProblem::BadTree: return FindFontMessages::BadTree();
    }
    return {};
}

// The glyphs, and how many of those asked for there are (at least one); a table problem when the
// file or the stream cannot be read or holds none.
Result<std::pair<GlyphReader, int>, QString> OpenGlyphs(const QString& path,
                                                        const GlyphSource& source, int asked) {
    auto file = GameFile::Open(QFile::encodeName(path).toStdString());
    if (!file) return GameFileMessages::Failure(file.error());
    std::uint64_t inFile = 0;
    std::vector<std::uint8_t> unpacked;
    if (source.compression == Compression::None) {
        inFile = GlyphsInFile(file.value().Size(), source.offset, source.format);
    } else {
        // A stream states at most 16 MiB; its packed bytes are fewer but for a few per cent.
        const auto packed = file.value().ReadWindow(source.offset, kMaxUnpackedSize + kMaxUnpackedSize / 4);
        if (!packed) return GameFileMessages::Failure(packed.error());
        auto stream = Unpack(packed.value(), source.compression);
        if (!stream) {
            return FindFontMessages::StreamUnreadable(
                HexNumber(source.offset, 1),
                QString::fromLatin1(CompressionName(source.compression).data(),
                                    static_cast<qsizetype>(CompressionName(source.compression).size())),
                StreamProblemText(stream.error()));
        }
        unpacked = std::move(stream).value().bytes;
        inFile = GlyphsInFile(unpacked.size(), 0, source.format);
    }
    if (inFile == 0) return Words::NoGlyphsAt(HexNumber(source.offset, 1), file.value().Size());
    const int count =
        static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(asked), inFile));
    return std::pair<GlyphReader, int>(GlyphReader(std::move(file).value(), source, std::move(unpacked)),
                                       count);
}

int RunGlyphs(const QStringList& arguments, std::FILE* err) {
    const QString command = QStringLiteral("glyphs");
    const auto read = ReadArguments<GlyphsArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const GlyphsArguments& options = read.value();
    if (!options.lines.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, options.lines.front()));
    }
    if (const auto missing = MissingOption({
            {&options.game, "--game game.bin"},
            {&options.offset, "--offset 3C000"},
            {&options.tiles, "--tiles 1bpp"},
            {&options.glyph, "--glyph 8x8"},
            {&options.png, "--png font.png"},
        })) {
        return BadUsage(err, command, *missing);
    }
    const auto source = ReadGlyphSource(options);
    if (!source) return BadUsage(err, command, source.error());
    const GlyphSource& glyphSource = source.value();
    const auto& format = source.value().format;
    int zoom = 1;
    if (options.zoom) {
        const auto chosen = ReadSmallNumber(*options.zoom, GlyphSheet::kMaxZoom);
        if (!chosen)
            return BadUsage(err, command, Words::BadZoom(*options.zoom, GlyphSheet::kMaxZoom));
        zoom = *chosen;
    }

    const auto opened = OpenGlyphs(*options.game, glyphSource, glyphSource.count.value_or(256));
    if (!opened) return TableProblem(err, opened.error());
    const GlyphReader& reader = opened.value().first;
    const int count = opened.value().second;

    // A row at a time, so the glyphs in memory stay few however many the sheet holds.
    GlyphSheet sheet(count, format, zoom);
    for (int first = 0; first < count; first += GlyphSheet::kGlyphsPerRow) {
        const auto glyphs = reader.Read(
            static_cast<std::uint64_t>(first),
            static_cast<std::size_t>(std::min(GlyphSheet::kGlyphsPerRow, count - first)));
        if (!glyphs) return TableProblem(err, glyphs.error());
        for (std::size_t i = 0; i < glyphs.value().size(); ++i) {
            sheet.Draw(first + static_cast<int>(i), glyphs.value()[i]);
        }
    }
    QImageWriter writer(*options.png, "png");
    if (!writer.write(sheet.Picture())) {
        return TableProblem(err, Words::PictureNotWritten(*options.png, writer.errorString()));
    }
    return kExitSuccess;
}

std::optional<std::vector<Repertoire>> ReadRepertoires(const QString& text) {
    std::vector<Repertoire> chosen;
    for (const QString& name : text.split(QLatin1Char(','))) {
        const auto known =
            std::find_if(kAllRepertoires.begin(), kAllRepertoires.end(),
                         [&](Repertoire r) { return name.toStdString() == RepertoireName(r); });
        if (known == kAllRepertoires.end()) return std::nullopt;
        chosen.push_back(*known);
    }
    return chosen;
}

QString RepertoireNames() {
    QStringList names;
    for (const Repertoire r : kAllRepertoires) {
        names << QString::fromLatin1(RepertoireName(r).data(),
                                     static_cast<qsizetype>(RepertoireName(r).size()));
    }
    return names.join(QLatin1Char(','));
}

// The table of the best guesses for codes first..first + inTable - 1. Each guess goes in as a
// typed entry would: as EUC-JP, and only if the chosen format can write it. One that cannot be
// stored is left out, and the user told on `err`; the rest still make a table worth checking.
Workspace BestGuessTable(const std::vector<GlyphSuggestion>& readings, int first, int inTable,
                         TableFormat format, std::FILE* err) {
    Workspace workspace;
    workspace.CurrentCode = static_cast<ByteCode>(first);
    workspace.LastCode = static_cast<ByteCode>(first + inTable - 1);
    for (int i = 0; i < inTable; ++i) {
        const GlyphSuggestion& reading = readings[static_cast<std::size_t>(i)];
        if (reading.ranked.empty()) continue;  // no ink: nothing to guess
        const auto code = static_cast<ByteCode>(first + i);
        const std::string guess = Utf8Of(reading.Best());
        const QString shown = QString::fromStdString(guess);
        const auto bytes = EncodeEucJp(guess);
        if (!bytes) {
            Print(err, QStringLiteral("glyphwright: %1\n")
                           .arg(Words::GuessNotEucJp(HexNumber(code), shown)));
            continue;
        }
        std::string& slot = workspace.TableText[code];
        slot = bytes.value();
        if (!FormatTable(workspace.TableText, code, code, format)) {
            slot.clear();
            Print(err,
                  QStringLiteral("glyphwright: %1\n")
                      .arg(Words::GuessNotInFormat(HexNumber(code), shown, QString::fromStdString(FormatName(format)))));
        }
    }
    return workspace;
}

int RunFontTable(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("font-table");
    const auto read = ReadArguments<FontTableArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const FontTableArguments& options = read.value();
    if (!options.lines.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, options.lines.front()));
    }
    if (const auto missing = MissingOption({
            {&options.game, "--game game.bin"},
            {&options.offset, "--offset 3C000"},
            {&options.tiles, "--tiles 1bpp"},
            {&options.glyph, "--glyph 8x8"},
            {&options.firstCode, "--first-code 10"},
            {&options.output, "--output font.tbl"},
        })) {
        return BadUsage(err, command, *missing);
    }
    const auto source = ReadGlyphSource(options);
    if (!source) return BadUsage(err, command, source.error());
    const GlyphSource& glyphSource = source.value();
    const auto firstCode = ReadHexByte(options.firstCode->toStdString());
    if (!firstCode) return BadUsage(err, command, Words::BadFirstCode(*options.firstCode));
    const int first = firstCode.value();
    std::vector<Repertoire> repertoires(kDefaultRepertoires.begin(), kDefaultRepertoires.end());
    if (options.repertoire) {
        const auto chosen = ReadRepertoires(*options.repertoire);
        if (!chosen) {
            return BadUsage(err, command,
                            Words::UnknownRepertoire(*options.repertoire, RepertoireNames()));
        }
        repertoires = *chosen;
    }
    TableFormat format = TableFormat::Classic;
    if (options.format) {
        const auto chosen = ReadFormat(*options.format);
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*options.format));
        format = *chosen;
    }

    // By default the glyphs that fill the codes up to FF.
    const auto opened =
        OpenGlyphs(*options.game, glyphSource, glyphSource.count.value_or(kCodeCount - first));
    if (!opened) return TableProblem(err, opened.error());
    const GlyphReader& reader = opened.value().first;
    const int count = opened.value().second;
    const int inTable = std::min(count, kCodeCount - first);
    // Glyphs past FF are read only for the report, which has room for longer codes.
    const int toRead = options.report ? count : inTable;

    const std::string family =
        options.font ? options.font->toStdString() : GlyphMatcher::kDefaultFamily;
    auto reference = GlyphMatcher::Open(family, RepertoireCharacters(repertoires));
    if (!reference) return TableProblem(err, Words::FontUnavailable(reference.error()));
    GlyphMatcher matcher = std::move(reference).value();

    // The font is read as a whole: some glyphs are told apart only by the others (a voiced
    // kana is its plain form with the font's voicing mark added).
    const auto glyphs = reader.Read(0, static_cast<std::size_t>(toRead));
    if (!glyphs) return TableProblem(err, glyphs.error());
    const std::vector<GlyphSuggestion> readings = matcher.SuggestAll(glyphs.value());

    const Workspace workspace = BestGuessTable(readings, first, inTable, format, err);
    if (count > inTable) {
        Print(err, QStringLiteral("glyphwright: %1\n")
                       .arg(Words::GlyphsPastLastCode(
                           count - inTable, HexNumber(static_cast<unsigned>(first + count - 1), 1),
                           options.report.has_value())));
    }

    if (*options.output == QLatin1String("-")) {
        const auto table =
            FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode, format);
        if (!table) return TableProblem(err, MakeTableMessages::Failure(table.error()));
        if (const int status = Show(out, err, table.value()); status != kExitSuccess) {
            return status;
        }
    } else {
        const SaveTarget target{QFile::encodeName(*options.output).toStdString(), format};
        if (const auto saved = SaveTable(workspace, target); !saved) {
            return TableProblem(err, MakeTableMessages::Failure(saved.error()));
        }
    }
    if (options.report) {
        const auto saved =
            SaveFileAtomically(QFile::encodeName(*options.report).toStdString(),
                               SuggestionReport(readings, static_cast<unsigned>(first)));
        if (!saved) return TableProblem(err, Words::ReportNotWritten(saved.error()));
    }
    return kExitSuccess;
}

std::size_t SpanUnit(LetterWidth width) {
    return width == LetterWidth::OneByte ? 1 : 2;
}

std::optional<LetterWidth> ReadWidth(const QString& name) {
    if (name == QLatin1String("1")) return LetterWidth::OneByte;
    if (name == QLatin1String("2le")) return LetterWidth::TwoBytesLittleEndian;
    if (name == QLatin1String("2be")) return LetterWidth::TwoBytesBigEndian;
    return std::nullopt;
}

// A code as the rows show it: two hex digits, four for two bytes a letter, a minus sign for a
// start below zero.
std::string HexCode(std::int64_t code, LetterWidth width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    auto value = static_cast<std::uint64_t>(code < 0 ? -code : code);
    const std::size_t digits = width == LetterWidth::OneByte && value <= 0xFF ? 2 : 4;
    for (std::size_t d = 0; d < digits || value != 0; ++d, value >>= 4) {
        text.insert(text.begin(), kDigits[value & 0xF]);
    }
    return code < 0 ? '-' + text : text;
}

// The text around a hit as its set reads it: members as UTF-8, a code the set does not cover
// as <HH>.
std::string ReadAround(const HitContext& context, LetterWidth width) {
    std::string text;
    EucJpDecoder decoder;
    for (const ContextCell& cell : context.cells) {
        const auto member = cell.member.empty() ? Result<std::string, InvalidEucJp>(InvalidEucJp{})
                                                : decoder.Decode(cell.member);
        text += member ? member.value() : '<' + HexCode(cell.code, width) + '>';
    }
    return text;
}

int RunSearch(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("search");
    const auto read = ReadArguments<SearchArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const SearchArguments& options = read.value();
    if (!options.lines.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, options.lines.front()));
    }
    if (!options.game) return BadUsage(err, command, Words::MissingGame());
    if (!options.word) return BadUsage(err, command, Words::MissingWord());
    LetterWidth width = LetterWidth::OneByte;
    if (options.width) {
        const auto chosen = ReadWidth(*options.width);
        if (!chosen) return BadUsage(err, command, Words::UnknownWidth(*options.width));
        width = *chosen;
    }
    const auto userSets = UserSets(options.sets);
    if (!userSets) return BadUsage(err, command, SetsMessages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    const auto search = RelativeSearch::Prepare(options.word->toStdString(), width, sets.Sets());
    if (!search) return BadUsage(err, command, SearchMessages::Failure(search.error()));
    const auto file = GameFile::Open(QFile::encodeName(*options.game).toStdString());
    if (!file) return BadUsage(err, command, GameFileMessages::Failure(file.error()));
    const std::atomic<bool> never{false};
    const auto run = search.value().Run(file.value(), never);
    if (!run) {
        const auto* failed = std::get_if<GameFileError>(&run.error());
        return BadUsage(err, command,
                        failed != nullptr ? GameFileMessages::Failure(*failed)
                                          : SearchMessages::SearchCancelled());
    }
    const SearchResults& results = run.value();
    std::string rows;
    for (const HitGroup& group : results.groups) {
        const Hit first{group.firstOffset, group.set, group.start, group.fits};
        const auto context = search.value().Context(file.value(), first, 0, 16 * SpanUnit(width));
        // A start past FF found with two bytes a letter is shown as the code to give make: the
        // bytes the game stores, which in little-endian are not the value's digits.
        const auto usable =
            UsableStart(group.start, search.value().Sets()[group.set].members.size(), width);
        rows.append(search.value().Sets()[group.set].name)
            .append(1, '\t')
            .append(usable && usable->code.IsTwoByte() ? usable->code.Hex()
                                                       : HexCode(group.start, width))
            .append(1, '\t')
            .append(std::to_string(group.hitCount))
            .append(1, '\t')
            .append(context ? ReadAround(context.value(), width) : std::string())
            .append(1, '\n');
    }
    if (const int status = Show(out, err, rows); status != kExitSuccess) return status;
    return results.groups.empty() ? kExitNothingFound : kExitSuccess;
}

}  // namespace

int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.isEmpty()) return BadUsage(err, {}, Words::NoCommand());
    const QString& command = arguments.front();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("dump")) {
        if (AskedFor(rest) == Asked::Help) return Show(out, err, DumpMessages::Help());
        if (AskedFor(rest) == Asked::Version) return ShowVersion(out, err);
        return RunDump(rest, out, err);
    }
    const bool make = command == QLatin1String("make");
    const bool glyphs = command == QLatin1String("glyphs");
    const bool fontTable = command == QLatin1String("font-table");
    const bool search = command == QLatin1String("search");
    if (command == QLatin1String("find-font")) {
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err, FindFontMessages::Help(kMostFindFontCandidates));
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        return RunFindFont(rest, out, err);
    }
    if (make || glyphs || fontTable || search || command == QLatin1String("sets")) {
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err,
                            make ? Words::MakeHelp()
                            : glyphs
                                ? Words::GlyphsHelp(GlyphSheet::kMaxGlyphs, GlyphSheet::kMaxZoom)
                            : fontTable ? Words::FontTableHelp(GlyphSheet::kMaxGlyphs)
                            : search    ? Words::SearchHelp()
                                        : Words::SetsHelp());
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        if (glyphs) return RunGlyphs(rest, err);
        if (fontTable) return RunFontTable(rest, out, err);
        if (search) return RunSearch(rest, out, err);
        return make ? RunMake(rest, out, err) : RunSets(rest, out, err);
    }
    switch (AskedFor({command})) {
        case Asked::Help:
            return Show(out, err, Words::Help());
        case Asked::Version:
            return ShowVersion(out, err);
        case Asked::Nothing:
            break;
    }
    if (command.startsWith(QLatin1Char('-'))) {
        return BadUsage(err, {}, Words::UnknownOption(command));
    }
    return BadUsage(err, {}, Words::UnknownCommand(command));
}

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        if (!bytes.isValidUtf8()) {
            return BadUsage(err, {}, Words::NotUtf8(QString::fromUtf8(bytes)));
        }
        arguments << QString::fromUtf8(bytes);
    }
    return RunCommandLine(arguments, out, err);
}

}  // namespace glyphwright
