#pragma once

#include <QObject>

#include <optional>
#include <utility>

#include "core/game/GameFile.h"

namespace glyphwright {

class WindowQueries;

// The game file open now, shared by the relative search and the game text. Opening another
// replaces it; the windows follow `changed`.
class OpenGameFile final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OpenGameFile)

public:
    explicit OpenGameFile(QObject* parent = nullptr) : QObject(parent) {}
    ~OpenGameFile() override = default;

    [[nodiscard]] const std::optional<GameFile>& File() const { return file_; }
    void Set(GameFile file) {
        file_ = std::move(file);
        emit changed();
    }

signals:
    void changed();

private:
    std::optional<GameFile> file_;
};

// File > Open Game File…: asks for a path and opens the file there, or says why it cannot. True
// when a file was opened.
bool OpenGameFileFromUser(OpenGameFile& game, WindowQueries& user);

}  // namespace glyphwright
