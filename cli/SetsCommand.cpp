// glyphwright sets: the character sets a LINE can name, built-in and the user's own.

#include <string>

#include "CommandLineMessages.h"
#include "CommandOutput.h"
#include "UserSets.h"
#include "Commands.h"
#include "SetsMessages.h"
#include "core/sets/SetCatalogue.h"

namespace glyphwright {

int RunSets(const QStringList& arguments, std::FILE* out, std::FILE* err) {
    const QString command = QStringLiteral("sets");
    if (!arguments.isEmpty()) {
        const QString& first = arguments.front();
        return BadUsage(err, command,
                        first.startsWith(QLatin1Char('-')) && first.size() > 1
                            ? CommandLineMessages::UnknownOption(first)
                            : CommandLineMessages::NoArgumentsTaken(command, first));
    }
    const auto userSets = ReadUserSets(std::nullopt);
    if (!userSets) return TableProblem(err, SetsMessages::Failure(userSets.error()));
    const SetCatalogue sets(userSets.value());
    std::string listing;
    for (const CharacterSet& set : sets.Sets()) {
        listing.append(set.name).append(1, '\t').append(std::to_string(set.size())).append(1, '\n');
    }
    return ShowListing(out, err, listing);
}

}  // namespace glyphwright
