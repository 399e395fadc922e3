#pragma once

#include <string_view>

namespace glyphwright {

class WindowManager;
class WindowQueries;

inline constexpr std::string_view kExitQuestion = "Are you sure you want to exit?";
inline constexpr std::string_view kExitTitle = "Exit?";
inline constexpr std::string_view kFarewellTitle = "C-ya";
inline constexpr std::string_view kFarewellText = "Glyphwright, by the Glyphwright developers.";

// "EXIT": asks; on Yes destroys every window, newest first, says farewell and ends the program.
// Run it from the event loop, not from inside a window's own handler: it destroys that window.
void ConfirmExit(WindowManager& windows, WindowQueries& user);

}  // namespace glyphwright
