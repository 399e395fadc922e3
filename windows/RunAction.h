#pragma once

#include <functional>
#include <utility>

namespace glyphwright {

class WindowQueries;

// Runs the action of one event. A failure inside it is told in a message box instead of letting
// the exception unwind through the event loop and end the program.
void RunAction(WindowQueries& user, const std::function<void()>& action);

// A slot that runs `action` on `object` (a member function, or anything taking the object) under
// RunAction, for connecting a window's events.
template <typename Object, typename Action>
[[nodiscard]] auto Guarded(WindowQueries& user, Object* object, Action action) {
    return [&user, object, action = std::move(action)] {
        RunAction(user, [object, &action] { std::invoke(action, object); });
    };
}

}  // namespace glyphwright
