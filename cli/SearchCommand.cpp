// glyphwright search: where a known word is in a game file, found by the distances between its
// letters, ranked as the Relative Search window ranks them.

#include <QFile>

#include <atomic>
#include <string>

#include "CommandLine.h"
#include "CommandLineMessages.h"
#include "CommandLineNotices.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "UserSets.h"
#include "Commands.h"
#include "GameFileMessages.h"
#include "SearchMessages.h"
#include "SetsMessages.h"
#include "core/game/GameFile.h"
#include "core/search/HitStart.h"
#include "core/search/RelativeSearch.h"
#include "core/sets/SetCatalogue.h"
#include "core/text/EucJp.h"

namespace glyphwright {

namespace {

std::size_t SpanUnit(LetterWidth width) {
    return width == LetterWidth::OneByte ? 1 : 2;
}

std::optional<LetterWidth> ReadWidth(const QString& name) {
    if (name == QLatin1String("1")) return LetterWidth::OneByte;
    if (name == QLatin1String("2le")) return LetterWidth::TwoBytesLittleEndian;
    if (name == QLatin1String("2be")) return LetterWidth::TwoBytesBigEndian;
    return std::nullopt;
}

// A code as the rows show it: two hex digits, four for two bytes a letter, as the game stores
// them (low byte first in little-endian), a minus sign for a start below zero.
std::string HexCode(std::int64_t code, LetterWidth width) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    auto value = static_cast<std::uint64_t>(code < 0 ? -code : code);
    if (width == LetterWidth::TwoBytesLittleEndian && code >= 0 && value <= 0xFFFF) {
        value = ((value & 0xFF) << 8) | (value >> 8);
    }
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

}  // namespace

int RunSearch(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    using Words = CommandLineMessages;
    const QString command = QStringLiteral("search");
    CommandOptions options({{QStringLiteral("game"), QStringLiteral("g")},
                            {QStringLiteral("word"), QStringLiteral("w")},
                            {QStringLiteral("width")},
                            {QStringLiteral("sets")}});
    if (const auto problem = options.Read(arguments)) return BadUsage(err, command, *problem);
    if (const QStringList others = options.Others(); !others.isEmpty()) {
        return BadUsage(err, command, Words::NoArgumentsTaken(command, others.front()));
    }
    const auto game = options.Value(QStringLiteral("game"));
    const auto word = options.Value(QStringLiteral("word"));
    if (!game) return BadUsage(err, command, Words::MissingGame());
    if (!word) return BadUsage(err, command, Words::MissingWord());
    LetterWidth width = LetterWidth::OneByte;
    if (const auto asked = options.Value(QStringLiteral("width"))) {
        const auto chosen = ReadWidth(*asked);
        if (!chosen) return BadUsage(err, command, Words::UnknownWidth(*asked));
        width = *chosen;
    }
    const auto userSets = ReadUserSets(options.Value(QStringLiteral("sets")));
    if (!userSets) return BadUsage(err, command, SetsMessages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    const auto search = RelativeSearch::Prepare(word->toStdString(), width, sets.Sets());
    if (!search) return BadUsage(err, command, SearchMessages::Failure(search.error()));
    const auto file = GameFile::Open(QFile::encodeName(*game).toStdString());
    if (!file) return BadUsage(err, command, GameFileMessages::Failure(file.error()));
    const std::atomic<bool> never{false};
    const auto run = search.value().Run(file.value(), never);
    if (!run) {
        const auto* failed = std::get_if<GameFileError>(&run.error());
        return BadUsage(
            err, command,
            failed != nullptr ? GameFileMessages::Failure(*failed) : SearchMessages::SearchCancelled());
    }
    const SearchResults& results = run.value();
    std::string rows;
    const std::string beforeZero = CommandLineNotices::StartsBeforeZero().toStdString();
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
            .append(context ? ReadAround(context.value(), width) : std::string());
        // Ranked after the rows that fit: laid from there, the set would leave the codes.
        if (group.start < 0) rows.append(1, '\t').append(beforeZero);
        rows.append(1, '\n');
    }
    if (const int status = ShowListing(out, err, rows); status != kExitSuccess) return status;
    return results.groups.empty() ? kExitNothingFound : kExitSuccess;
}

}  // namespace glyphwright
