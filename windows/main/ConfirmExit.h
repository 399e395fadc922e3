#pragma once

namespace glyphwright {

class ProjectSession;
class WindowManager;
class WindowQueries;

// "EXIT": asks; on Yes destroys every window, newest first, says farewell and ends the program.
// Run it from the event loop, not from inside a window's own handler: it destroys that window.
void ConfirmExit(WindowManager& windows, WindowQueries& user, ProjectSession& project);

}  // namespace glyphwright
