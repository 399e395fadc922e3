#pragma once

#include <functional>

namespace glyphwright {

class WindowQueries;

// Runs the action of one event. A failure inside it is told in a message box instead of letting
// the exception unwind through the event loop and end the program.
void RunAction(WindowQueries& user, const std::function<void()>& action);

}  // namespace glyphwright
