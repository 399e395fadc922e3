// Any bytes as a packed stream: nothing may crash or read outside them. A stream that unpacks
// must give exactly its stated size from no more bytes than there are; the check that keeps only
// a window of the output must agree with the full unpacking; and every stream the scan lists
// must unpack where it says.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "core/compression/Compression.h"
#include "core/compression/StreamScan.h"

namespace {

using namespace glyphwright;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "StreamUnpack: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto header = ReadStreamHeader(bytes);
    const auto unpacked = UnpackAny(bytes);
    const auto measured = MeasureStream(bytes, false);
    if (unpacked.ok() != measured.ok()) Fail("the window check and the unpacking disagree");
    if (unpacked) {
        if (!header) Fail("unpacked without a header");
        if (unpacked.value().bytes.size() != header.value().unpackedSize) Fail("wrong size");
        if (unpacked.value().packedSize > size) Fail("read past the data");
        if (measured.value() != unpacked.value().packedSize) Fail("packed sizes disagree");
    }
    if (const auto strict = MeasureStream(bytes, true); strict && !measured) {
        Fail("strict but not plain");
    }
    StreamScanLimits limits;
    limits.minUnpackedSize = 1;
    for (const FoundStream& stream : ScanStreamsInMemory(bytes, limits)) {
        if (stream.offset + stream.packedSize > size) Fail("a stream past the data");
        const auto again = UnpackAny(bytes.subspan(stream.offset));
        if (!again || again.value().packedSize != stream.packedSize) Fail("a listed stream fails");
    }
    return 0;
}
