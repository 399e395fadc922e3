#include "OpenGameFile.h"

#include "Messages.h"
#include "WindowQueries.h"

namespace glyphwright {

bool OpenGameFileFromUser(OpenGameFile& game, WindowQueries& user) {
    const auto path = user.AskOpenPath(Messages::OpenGameFileTitle().toStdString());
    if (!path || path->empty()) return false;
    auto opened = GameFile::Open(*path);
    if (!opened) {
        user.ShowMessage(Messages::Title().toStdString(),
                         Messages::Failure(opened.error()).toStdString(), MessageIcon::Exclamation);
        return false;
    }
    game.Set(opened.value());
    return true;
}

}  // namespace glyphwright
