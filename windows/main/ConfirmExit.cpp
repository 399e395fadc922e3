#include "ConfirmExit.h"

#include "Messages.h"
#include "ProjectSession.h"
#include "WindowManager.h"
#include "WindowQueries.h"

namespace glyphwright {

void ConfirmExit(WindowManager& windows, WindowQueries& user, ProjectSession& project) {
    if (!user.AskYesNo(Messages::ExitTitle().toStdString(), Messages::ExitQuestion().toStdString(),
                       MessageIcon::Exclamation)) {
        return;
    }
    // A project with unsaved changes is offered to be saved first; Cancel stays.
    if (!project.MayClose(user)) return;
    // Counted once; the main window, created first, goes last.
    windows.CloseAll();
    user.ShowMessage(Messages::FarewellTitle().toStdString(),
                     Messages::FarewellText().toStdString(), MessageIcon::None);
    windows.End();
}

}  // namespace glyphwright
