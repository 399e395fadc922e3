#pragma once

#include <QByteArray>
#include <QString>

#include "core/table/Document.h"
#include "core/table/Result.h"
#include "core/sets/SetCatalogue.h"

namespace glyphwright {

// The project file's format version; a file of a higher one is refused, not half read. A project
// that holds two-byte codes, a two-byte start or the little-endian order is written as version 2,
// which an older Glyphwright refuses as newer rather than misreading; any other is still written
// as version 1, byte for byte as before. The user's sets a project keeps ("sets") came later
// within version 1: a reader that does not know them reads the rest as before. A project that
// holds linked entries, table switches or several tables is written as version 3.
inline constexpr int kProjectVersion = 3;

// Why a project file could not be read. The windows and the command line word it.
struct ProjectError {
    enum class Kind {
        NotJson,     // not JSON at all; `detail` says what the parser found and where
        NotProject,  // JSON, but no Glyphwright project
        Newer,       // written by a newer Glyphwright; `detail` is its version
        BadField,    // a field is missing or wrong; `detail` names it
    };
    Kind kind = Kind::NotJson;
    QString detail;
};

// The document as a project file: JSON, UTF-8. The game file's path is written relative to the
// folder of `projectPath` where it can be.
[[nodiscard]] QByteArray WriteProject(const DocumentContents& contents, const QString& projectPath);

// A project file read back, all or nothing; paths resolved against the folder of `projectPath`.
// The order's set names are looked up in `sets`, which must outlive what is read. A line naming a
// set the project keeps lays it even where `sets` lacks it: fit the kept sets into the catalogue
// (FitKeptSets) before the order is used.
[[nodiscard]] Result<DocumentContents, ProjectError> ReadProject(const QByteArray& file,
                                                                 const QString& projectPath,
                                                                 const SetCatalogue& sets);

// The copies of the user's sets that a project file keeps (see SetsKeptBy); none for a project
// written before sets were kept. Checked as a set file is.
[[nodiscard]] Result<std::vector<UserSet>, ProjectError> ReadKeptSets(const QByteArray& file);

}  // namespace glyphwright
