#include "CommandLine.h"

#include <QFile>
#include <QImageWriter>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "CommandLineMessages.h"
#include "GlyphSheet.h"
#include "HexText.h"
#include "MakeTable.h"
#include "Messages.h"
#include "Version.h"
#include "core/BuiltInSets.h"
#include "core/DecodeGlyphs.h"
#include "core/EucJp.h"
#include "core/GameFile.h"
#include "core/GlyphFormat.h"

namespace glyphwright {

namespace {

using Words = CommandLineMessages;

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

struct MakeArguments {
    std::optional<QString> start;
    std::optional<QString> output;
    std::optional<QString> format;
    QStringList lines;
};

struct GlyphsArguments {
    std::optional<QString> game;
    std::optional<QString> offset;
    std::optional<QString> tiles;
    std::optional<QString> glyph;
    std::optional<QString> tileOrder;
    std::optional<QString> count;
    std::optional<QString> zoom;
    std::optional<QString> png;
    QStringList lines;  // none are taken
};

std::optional<QString>* OptionValue(MakeArguments& arguments, const QString& name) {
    if (name == QLatin1String("--start") || name == QLatin1String("-s")) return &arguments.start;
    if (name == QLatin1String("--output") || name == QLatin1String("-o")) return &arguments.output;
    if (name == QLatin1String("--format") || name == QLatin1String("-f")) return &arguments.format;
    return nullptr;
}

std::optional<QString>* OptionValue(GlyphsArguments& arguments, const QString& name) {
    const std::pair<const char*, std::optional<QString>*> options[] = {
        {"--game", &arguments.game},
        {"--offset", &arguments.offset},
        {"--tiles", &arguments.tiles},
        {"--glyph", &arguments.glyph},
        {"--tile-order", &arguments.tileOrder},
        {"--count", &arguments.count},
        {"--zoom", &arguments.zoom},
        {"--png", &arguments.png},
    };
    for (const auto& [option, slot] : options) {
        if (name == QLatin1String(option)) return slot;
    }
    return nullptr;
}

// Sorts a command's arguments into options and other arguments: "--start 10", "--start=10" and
// "-s10" alike; "-" alone and everything after "--" are other arguments (make's Table Order
// lines). A complaint on bad usage.
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
        std::optional<QString>* slot = OptionValue(read, name);
        if (slot == nullptr) return Words::UnknownOption(name);
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
std::optional<OrderLine> ReadOrderLine(const QString& line) {
    const std::string text = line.toStdString();
    if (const CharacterSet* set = FindBuiltInSet(text)) return SetLine{set, std::nullopt};
    if (const auto at = text.find('@'); at != std::string::npos) {
        if (const CharacterSet* set = FindBuiltInSet(std::string_view(text).substr(0, at))) {
            return SetLine{set, text.substr(at + 1)};
        }
    }
    if (const auto equals = text.find('='); equals != std::string::npos) {
        return EntryLine{text.substr(0, equals), text.substr(equals + 1)};
    }
    return std::nullopt;
}

QString SetNames() {
    QStringList names;
    for (const CharacterSet& set : BuiltInSets()) {
        names << QString::fromUtf8(set.name.data(), static_cast<qsizetype>(set.name.size()));
    }
    return names.join(QStringLiteral(", "));
}

// Builds the Table Order as the windows do from the same lines: a single entry goes into its
// code at once, a set is recorded with its own start. The failure is worded as there.
std::optional<QString> BuildOrder(const std::vector<OrderLine>& lines, Workspace& workspace,
                                  TableOrder& order) {
    for (const OrderLine& line : lines) {
        if (order.IsFull()) return Messages::OrderFull();
        if (const auto* setLine = std::get_if<SetLine>(&line)) {
            ByteCode start = 0;
            if (setLine->start) {
                const auto read = ReadHexByte(*setLine->start);
                if (!read) return Messages::BadCode(*setLine->start, read.error());
                start = read.value();
            }
            (void)order.AppendSetLine(std::string(setLine->set->name));
            order.SetStart(order.LineCount() - 1, start);
            continue;
        }
        const auto& entry = std::get<EntryLine>(line);
        const auto code = ReadHexByte(entry.code);
        if (!code) return Messages::BadCode(entry.code, code.error());
        const auto bytes = EncodeEucJp(entry.text);
        if (!bytes) return Messages::NotEucJp(QString::fromStdString(bytes.error().character));
        workspace.TableText[code.value()] = bytes.value();
        (void)order.AppendEntryLine(entry.text);
    }
    return std::nullopt;
}

int RunMake(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("make");
    const auto read = ReadArguments<MakeArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const MakeArguments& options = read.value();
    // The window asks for a missing start code; a script cannot answer.
    if (!options.start) return BadUsage(err, command, Words::MissingStart());
    if (!options.output) return BadUsage(err, command, Words::MissingOutput());
    TableFormat format = TableFormat::Classic;
    if (options.format) {
        const auto chosen = ReadFormat(*options.format);
        if (!chosen) return BadUsage(err, command, Words::UnknownFormat(*options.format));
        format = *chosen;
    }
    std::vector<OrderLine> lines;
    for (const QString& line : options.lines) {
        auto orderLine = ReadOrderLine(line);
        if (!orderLine) return BadUsage(err, command, Words::UnknownLine(line, SetNames()));
        lines.push_back(std::move(*orderLine));
    }

    Workspace workspace;
    TableOrder order;
    if (const auto failure = BuildOrder(lines, workspace, order)) {
        return TableProblem(err, *failure);
    }
    if (const auto composed = ComposeTable(workspace, order, options.start->toStdString());
        !composed) {
        return TableProblem(err, Messages::Failure(composed.error()));
    }
    if (*options.output == QLatin1String("-")) {
        const auto file =
            FormatTable(workspace.TableText, workspace.CurrentCode, workspace.LastCode, format);
        if (!file) return TableProblem(err, Messages::Failure(file.error()));
        return Show(out, err, file.value());
    }
    const SaveTarget target{QFile::encodeName(*options.output).toStdString(), format};
    if (const auto saved = SaveTable(workspace, target); !saved) {
        return TableProblem(err, Messages::Failure(saved.error()));
    }
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
    std::string listing;
    for (const CharacterSet& set : BuiltInSets()) {
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

// Reads the glyphs command's options into a format, or says what is wrong with them.
Result<GlyphFormat, QString> ReadGlyphFormat(const GlyphsArguments& options) {
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

int RunGlyphs(const QStringList& arguments, std::FILE* err) {
    const QString command = QStringLiteral("glyphs");
    const auto read = ReadArguments<GlyphsArguments>(arguments);
    if (!read) return BadUsage(err, command, read.error());
    const GlyphsArguments& options = read.value();
    if (!options.lines.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, options.lines.front()));
    }
    const std::pair<const std::optional<QString>*, const char*> required[] = {
        {&options.game, "--game game.bin"}, {&options.offset, "--offset 3C000"},
        {&options.tiles, "--tiles 1bpp"},   {&options.glyph, "--glyph 8x8"},
        {&options.png, "--png font.png"},
    };
    for (const auto& [value, example] : required) {
        if (!value->has_value()) {
            const QString shown = QString::fromLatin1(example);
            return BadUsage(err, command,
                            Words::MissingOption(shown.section(QLatin1Char(' '), 0, 0),
                                                 shown.section(QLatin1Char(' '), 1)));
        }
    }
    const auto offset = ReadOffset(*options.offset);
    if (!offset) return BadUsage(err, command, Words::BadOffset(*options.offset));
    const auto format = ReadGlyphFormat(options);
    if (!format) return BadUsage(err, command, format.error());
    int count = 256;
    if (options.count) {
        const auto chosen = ReadSmallNumber(*options.count, GlyphSheet::kMaxGlyphs);
        if (!chosen)
            return BadUsage(err, command, Words::BadCount(*options.count, GlyphSheet::kMaxGlyphs));
        count = *chosen;
    }
    int zoom = 1;
    if (options.zoom) {
        const auto chosen = ReadSmallNumber(*options.zoom, GlyphSheet::kMaxZoom);
        if (!chosen)
            return BadUsage(err, command, Words::BadZoom(*options.zoom, GlyphSheet::kMaxZoom));
        zoom = *chosen;
    }

    const auto file = GameFile::Open(QFile::encodeName(*options.game).toStdString());
    if (!file) return TableProblem(err, Messages::Failure(file.error()));
    const std::uint64_t inFile = GlyphsInFile(file.value().Size(), *offset, format.value());
    if (inFile == 0) {
        return TableProblem(err, Words::NoGlyphsAt(HexNumber(*offset, 1), file.value().Size()));
    }
    count = static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), inFile));

    // A row at a time, so the glyphs in memory stay few however many the sheet holds.
    GlyphSheet sheet(count, format.value(), zoom);
    for (int first = 0; first < count; first += GlyphSheet::kGlyphsPerRow) {
        const auto glyphs = DecodeGlyphs(
            file.value(), *offset, format.value(), static_cast<std::uint64_t>(first),
            static_cast<std::size_t>(std::min(GlyphSheet::kGlyphsPerRow, count - first)));
        if (!glyphs) return TableProblem(err, Messages::Failure(glyphs.error()));
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

}  // namespace

int RunCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    if (arguments.isEmpty()) return BadUsage(err, {}, Words::NoCommand());
    const QString& command = arguments.front();
    const QStringList rest = arguments.mid(1);
    const bool make = command == QLatin1String("make");
    const bool glyphs = command == QLatin1String("glyphs");
    if (make || glyphs || command == QLatin1String("sets")) {
        switch (AskedFor(rest)) {
            case Asked::Help:
                return Show(out, err,
                            make ? Words::MakeHelp()
                            : glyphs
                                ? Words::GlyphsHelp(GlyphSheet::kMaxGlyphs, GlyphSheet::kMaxZoom)
                                : Words::SetsHelp());
            case Asked::Version:
                return ShowVersion(out, err);
            case Asked::Nothing:
                break;
        }
        if (glyphs) return RunGlyphs(rest, err);
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

}  // namespace glyphwright
