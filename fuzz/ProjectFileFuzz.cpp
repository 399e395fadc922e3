// Any bytes as a project file a user was sent: nothing may crash or hang, and a project that is
// read must be written back as a project that reads as the same document, and as the same bytes
// when written again. The sets it keeps are read the same way.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "core/sets/SetCatalogue.h"
#include "project/ProjectFile.h"

namespace {

using namespace glyphwright;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "ProjectFile: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = QStringLiteral("/nonexistent/fuzz/game.gwproj");
    static const SetCatalogue sets;  // the built-in sets only

    const auto kept = ReadKeptSets(file);
    const auto contents = ReadProject(file, path, sets);
    if (!contents) return 0;

    const QByteArray written = WriteProject(contents.value(), path);
    const auto back = ReadProject(written, path, sets);
    if (!back) Fail("a project that was read could not be read once written");
    if (!(back.value() == contents.value())) Fail("the project written read back as another");
    if (WriteProject(back.value(), path) != written) Fail("writing one document twice gave two files");
    (void)kept;
    return 0;
}
