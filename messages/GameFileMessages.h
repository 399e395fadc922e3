#pragma once

#include <QCoreApplication>
#include <QString>

namespace glyphwright {
struct GameFileError;

// The game file: opening it and what is shown of it.
class GameFileMessages final {
    Q_DECLARE_TR_FUNCTIONS(GameFileMessages)

public:
    GameFileMessages() = delete;

    [[nodiscard]] static QString OpenGameFileTitle();
    [[nodiscard]] static QString Failure(const GameFileError& failure);
    [[nodiscard]] static QString GameFileShown(const QString& path, quint64 size);
    [[nodiscard]] static QString NoGameFile();
};

}  // namespace glyphwright
