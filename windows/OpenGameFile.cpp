#include "OpenGameFile.h"

#include "GameFileMessages.h"
#include "ProgramMessages.h"
#include "WindowQueries.h"

namespace glyphwright {

OpenGameFile::OpenGameFile(Document& document, QObject* parent)
    : QObject(parent), document_(document) {
    document_.AddObserver(*this);
}

OpenGameFile::~OpenGameFile() {
    document_.RemoveObserver(*this);
}

bool OpenGameFileFromUser(OpenGameFile& game, WindowQueries& user) {
    const auto path = user.AskOpenPath(GameFileMessages::OpenGameFileTitle().toStdString());
    if (!path || path->empty()) return false;
    auto opened = GameFile::Open(*path);
    if (!opened) {
        user.ShowMessage(ProgramMessages::Title().toStdString(),
                         GameFileMessages::Failure(opened.error()).toStdString(),
                         MessageIcon::Exclamation);
        return false;
    }
    game.Set(opened.value());
    return true;
}

}  // namespace glyphwright
