#pragma once

#include <functional>

#include "UserQueries.h"

namespace glyphwright {

// Runs the action of one event. A failure inside it is told in a message box instead of letting
// the exception unwind through the event loop and end the program.
void RunAction(UserQueries& user, const std::function<void()>& action);

}  // namespace glyphwright
