#pragma once

#include <QObject>

#include <optional>

#include "core/game/GameFile.h"
#include "core/table/Document.h"

namespace glyphwright {

class WindowQueries;

// The document's game file as the windows follow it: the relative search, the game text, the
// code map and the Font window read `File()` and hear `changed` when a file is opened, or closed
// by New and Open.
class OpenGameFile final : public QObject, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OpenGameFile)

public:
    explicit OpenGameFile(Document& document, QObject* parent = nullptr);
    ~OpenGameFile() override;

    [[nodiscard]] const std::optional<GameFile>& File() const { return document_.GameFileOpen(); }
    void Set(GameFile file) { document_.SetGameFile(std::move(file)); }

signals:
    void changed();

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override {
        if (change.gameFile) emit changed();
    }

    Document& document_;
};

// File > Open Game File…: asks for a path and opens the file there, or says why it cannot. True
// when a file was opened.
bool OpenGameFileFromUser(OpenGameFile& game, WindowQueries& user);

}  // namespace glyphwright
