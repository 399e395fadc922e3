#include "EucJp.h"

#include <algorithm>

namespace glyphwright {

namespace {

bool IsEucJpTrail(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

// The bytes of the EUC-JP sequence that begins `rest`: SS3 (8F) leads three bytes, SS2 (8E) and
// A1-FE lead two, anything else stands alone.
std::string SequenceAt(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest.front());
    const std::size_t claimed = lead == 0x8F ? 3 : (lead == 0x8E || IsEucJpTrail(lead)) ? 2 : 1;
    std::size_t length = 1;
    while (length < claimed && length < rest.size() &&
           IsEucJpTrail(static_cast<unsigned char>(rest[length]))) {
        ++length;
    }
    return std::string(rest.substr(0, length));
}

}  // namespace

Result<std::string, UnencodableCharacter> EncodeEucJp(std::string_view utf8) {
    TextConverter converter("EUC-JP", "UTF-8");
    auto converted = converter.Convert(utf8);
    if (!converted) {
        const std::string_view rest = utf8.substr(converted.error().offset);
        const auto length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        return UnencodableCharacter{std::string(rest.substr(0, length))};
    }
    return converted.value();
}

Result<std::string, InvalidEucJp> EucJpDecoder::Decode(std::string_view eucJp) {
    auto converted = converter_.Convert(eucJp);
    if (!converted) {
        return InvalidEucJp{SequenceAt(eucJp.substr(converted.error().offset))};
    }
    return converted.value();
}

Result<std::string, InvalidEucJp> DecodeEucJp(std::string_view eucJp) {
    return EucJpDecoder().Decode(eucJp);
}

}  // namespace glyphwright
