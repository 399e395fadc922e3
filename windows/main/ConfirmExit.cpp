#include "ConfirmExit.h"

#include "ProgramMessages.h"
#include "ProjectSession.h"
#include "WindowManager.h"
#include "WindowQueries.h"

namespace glyphwright {

void ConfirmExit(WindowManager& windows, WindowQueries& user, ProjectSession& project) {
    if (!user.AskYesNo(ProgramMessages::ExitTitle().toStdString(),
                       ProgramMessages::ExitQuestion().toStdString(), MessageIcon::Exclamation)) {
        return;
    }
    // A project with unsaved changes is offered to be saved first; Cancel stays.
    if (!project.MayClose(user)) return;
    // Counted once; the main window, created first, goes last.
    windows.CloseAll();
    user.ShowMessage(ProgramMessages::FarewellTitle().toStdString(),
                     ProgramMessages::FarewellText().toStdString(), MessageIcon::None);
    windows.End();
}

}  // namespace glyphwright
