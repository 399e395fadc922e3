#include "core/text/EucJp.h"

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
    return EucJpEncoder().Encode(utf8);
}

Result<std::string, UnencodableCharacter> EucJpEncoder::Encode(std::string_view utf8) {
    const auto characterAt = [utf8](std::size_t offset) {
        const std::string_view rest = utf8.substr(offset);
        const auto length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        return std::string(rest.substr(0, length));
    };
    auto converted = converter_.Convert(utf8);
    if (!converted) return UnencodableCharacter{characterAt(converted.error().offset)};
    // The converter maps a few characters onto others (¥ onto the backslash, ‾ onto the tilde):
    // stored so, the table would say another character. Only what reads back as itself is kept.
    if (const auto back = decoder_.Decode(converted.value()); !back || back.value() != utf8) {
        for (std::size_t at = 0; at < utf8.size();) {
            const std::string character = characterAt(at);
            const auto alone = converter_.Convert(character);
            if (!alone) return UnencodableCharacter{character};
            if (const auto again = decoder_.Decode(alone.value());
                !again || again.value() != character) {
                return UnencodableCharacter{character};
            }
            at += character.size();
        }
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
