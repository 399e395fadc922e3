#include "ConfirmExit.h"

#include <string>

#include "WindowManager.h"

namespace glyphwright {

void ConfirmExit(WindowManager& windows, WindowQueries& user) {
    if (!user.AskYesNo(std::string(kExitTitle), std::string(kExitQuestion),
                       MessageIcon::Exclamation)) {
        return;
    }
    // Counted once; the main window, created first, goes last.
    for (QWidget* window : windows.ExistingWindowsNewestFirst()) windows.Destroy(*window);
    user.ShowMessage(std::string(kFarewellTitle), std::string(kFarewellText), MessageIcon::None);
    windows.End();
}

}  // namespace glyphwright
