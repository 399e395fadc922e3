#pragma once

#include <memory>
#include <variant>

#include "BackgroundJob.h"
#include "core/dictionary/FindDictionary.h"
#include "core/game/GameFile.h"

namespace glyphwright {

// What a dictionary search ended with: the findings, why the file could not be read, or stopped.
using DictionaryOutcome = std::variant<DictionaryFindings, GameFileError, DictionaryCancelled>;
// One dictionary search as a background job: the game is read whole there and searched, so the
// windows stay responsive. Its progress runs from 0 to 100; its one result is the outcome.
// Destroying the job cancels the search and waits for it.
using DictionaryJob = BackgroundJob<DictionaryOutcome>;

[[nodiscard]] std::unique_ptr<DictionaryJob> StartFindDictionary(GameFile file, LetterTable table);

}  // namespace glyphwright
