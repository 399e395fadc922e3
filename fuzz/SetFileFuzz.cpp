// Any bytes as a set file (kept in the configuration folder, imported, or given to the command
// line): nothing may crash or hang, and a file that is read must be written back as sets that
// read the same, and as the same bytes when written again.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/sets/SetFile.h"

namespace {

using namespace glyphwright;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "SetFile: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto sets = ReadSetFile(text);
    if (!sets) return 0;

    const std::string written = WriteSetFile(sets.value());
    const auto back = ReadSetFile(written);
    if (!back) Fail("a set file that was read could not be read once written");
    if (back.value() != sets.value()) Fail("the sets written read back as other sets");
    if (WriteSetFile(back.value()) != written) Fail("writing the same sets twice gave two files");
    return 0;
}
