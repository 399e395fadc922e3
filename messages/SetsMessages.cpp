#include "SetsMessages.h"

#include "MessageText.h"
#include "core/sets/SetCatalogue.h"
#include "storage/SetFileStore.h"

namespace glyphwright {

QString SetsMessages::Failure(const SetProblem& failure) {
    const QString set = Text(failure.set);
    const auto place = static_cast<qulonglong>(failure.member + 1);
    switch (failure.kind) {
        case SetProblem::Kind::EmptyName:
            return tr("A set needs a name.");
        case SetProblem::Kind::NameOfBuiltIn:
            return tr("\"%1\" is the name of a built-in set. Give your set a name of its own.")
                .arg(set);
        case SetProblem::Kind::NameTaken:
            return tr("There is already a set named \"%1\". Give each set a name of its own.")
                .arg(set);
        case SetProblem::Kind::NoMembers:
            return tr("The set \"%1\" has no members.").arg(set);
        case SetProblem::Kind::EmptyMember:
            return tr("Member %1 of the set \"%2\" is empty.").arg(place).arg(set);
        case SetProblem::Kind::MemberNotStorable:
            return tr("Member %1 of the set \"%2\" (\"%3\") cannot be stored in a table: "
                      "EUC-JP has no code for it.")
                .arg(place)
                .arg(set, Text(failure.text));
    }
    return {};
}

QString SetsMessages::Failure(const SetFileReadError& failure) {
    const QString path = QString::fromStdString(failure.path);
    if (failure.error != 0) {
        return tr("The set file %1 could not be read: %2.")
            .arg(path, QString::fromLocal8Bit(std::strerror(failure.error)));
    }
    const SetFileError& damage = failure.damage;
    QString why;
    switch (damage.kind) {
        case SetFileError::Kind::NotASetFile:
            why = tr("a set file begins with the line \"%1\".").arg(Text(kSetFileHeader));
            break;
        case SetFileError::Kind::UnknownLine:
            why = tr("\"%1\" is neither a set (\"set NAME\"), a member (\"= TEXT\") nor a "
                     "comment (\"# ...\").")
                      .arg(Text(damage.text));
            break;
        case SetFileError::Kind::MemberOutsideSet:
            why = tr("a member comes before the first set.");
            break;
        case SetFileError::Kind::SetProblem:
            why = Failure(damage.problem);
            break;
    }
    return tr("The set file %1 is damaged at line %2: %3")
        .arg(path)
        .arg(static_cast<qulonglong>(damage.line))
        .arg(why);
}

QString SetsMessages::SetFileKeptAside(const QString& aside) {
    return tr("It was kept as %1, and your sets start empty; mend it there, or import it in "
              "Character Sets once mended.")
        .arg(aside);
}

QString SetsMessages::SetInUse(const QString& set) {
    return tr("The set \"%1\" is used by a line of the Table Order, so it must stay as it is "
              "named. Remove that line first.")
        .arg(set);
}

QString SetsMessages::CharacterSetsTitle() {
    return tr("Character Sets");
}

QString SetsMessages::CharacterSetsHelp() {
    return tr(
        "Members are laid on consecutive codes in the order typed. Type or paste them "
        "into Members: each character becomes one member. For a member of several "
        "characters, such as a DTE pair, put each member on a line of its own and tick "
        "\"One member per line\".");
}

QString SetsMessages::BuiltInSetShown() {
    return tr("A built-in set: it can be duplicated, not changed.");
}

QString SetsMessages::NewSetName() {
    return tr("New set");
}

QString SetsMessages::CopyOfSet(const QString& set) {
    return tr("%1 (copy)").arg(set);
}

QString SetsMessages::DeleteSetQuestion(const QString& set) {
    return tr("Delete the set \"%1\"?").arg(set);
}

QString SetsMessages::SetFileFilter() {
    return tr("Glyphwright set files (*.gwsets *.txt);;All files (*)");
}

QString SetsMessages::SetsImported(qsizetype count, const QString& path) {
    return (count == 1 ? tr("1 set imported from %1.").arg(path)
                       : tr("%1 sets imported from %2.").arg(count).arg(path));
}

QString SetsMessages::SetsExported(qsizetype count, const QString& path) {
    return (count == 1 ? tr("1 set exported to %1.").arg(path)
                       : tr("%1 sets exported to %2.").arg(count).arg(path));
}

QString SetsMessages::SetMemberCount(qsizetype count) {
    return count == 1 ? tr("1 member") : tr("%1 members").arg(count);
}

QString SetsMessages::ProjectSetSuffix(const QString& projectFile) {
    return tr(" (from %1)").arg(projectFile);
}

QString SetsMessages::KeptSetsAdded(
    const std::vector<std::string>& added,
    const std::vector<std::pair<std::string, std::string>>& renamed) {
    QStringList parts;
    for (const std::string& name : added) {
        parts << tr("The project lays the set \"%1\", which was not among your character sets; "
                    "the project's copy of it has been added to them.")
                     .arg(QString::fromStdString(name));
    }
    for (const auto& [name, now] : renamed) {
        parts << tr("Your character set \"%1\" differs from the copy the project was made with. "
                    "The project's lines now lay that copy, kept among your sets as \"%2\"; "
                    "your own set is unchanged.")
                     .arg(QString::fromStdString(name), QString::fromStdString(now));
    }
    return parts.join(QLatin1Char('\n'));
}

}  // namespace glyphwright
