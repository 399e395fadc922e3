#pragma once

#include "support/ScriptedAnswers.h"

namespace glyphwright::test {

// The table command's questions, answered from a script.
using ScriptedUser = ScriptedAnswers<UserQueries>;

}  // namespace glyphwright::test
