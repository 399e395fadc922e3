#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace glyphwright {
struct SetProblem;
struct SetFileReadError;

// The character sets: the sets window, set files, and the sets a project brings.
class SetsMessages final {
    Q_DECLARE_TR_FUNCTIONS(SetsMessages)

public:
    SetsMessages() = delete;

    [[nodiscard]] static QString Failure(const SetProblem& failure);
    [[nodiscard]] static QString Failure(const SetFileReadError& failure);
    [[nodiscard]] static QString SetInUse(const QString& set);
    // A damaged set file moved aside at start-up, so that saving a set cannot replace it.
    [[nodiscard]] static QString SetFileKeptAside(const QString& aside);
    [[nodiscard]] static QString CharacterSetsTitle();
    [[nodiscard]] static QString CharacterSetsHelp();  // how members are typed, DTE pairs too
    [[nodiscard]] static QString BuiltInSetShown();
    [[nodiscard]] static QString NewSetName();
    [[nodiscard]] static QString CopyOfSet(const QString& set);
    [[nodiscard]] static QString DeleteSetQuestion(const QString& set);
    [[nodiscard]] static QString SetFileFilter();
    [[nodiscard]] static QString SetsImported(qsizetype count, const QString& path);
    [[nodiscard]] static QString SetsExported(qsizetype count, const QString& path);
    [[nodiscard]] static QString SetMemberCount(qsizetype count);
    // What follows a set's name when a project's copy of it joins the user's sets beside a
    // different set of that name, with the project file's name.
    [[nodiscard]] static QString ProjectSetSuffix(const QString& projectFile);
    // The sets a project brought: those the user lacked, and those added under a new name.
    [[nodiscard]] static QString KeptSetsAdded(
        const std::vector<std::string>& added,
        const std::vector<std::pair<std::string, std::string>>& renamed);
};

}  // namespace glyphwright
