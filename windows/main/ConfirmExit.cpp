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
    const std::vector<QWidget*> existing = windows.ExistingWindows();
    for (auto window = existing.rbegin(); window != existing.rend(); ++window) {
        windows.Destroy(**window);
    }
    user.ShowMessage(std::string(kFarewellTitle), std::string(kFarewellText), MessageIcon::None);
    windows.End();
}

}  // namespace glyphwright
