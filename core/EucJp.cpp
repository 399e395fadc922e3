#include "EucJp.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace glyphwright {
namespace {

// Length of the UTF-8 sequence that starts with `lead`; 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

class Converter {
public:
    Converter() : handle_(::iconv_open("EUC-JP", "UTF-8")) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT: iconv's own failure value
            throw std::runtime_error(std::string("the EUC-JP converter is not available: ") +
                                     std::strerror(errno));
        }
    }
    ~Converter() { ::iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

}  // namespace

Result<std::string, UnencodableCharacter> EncodeEucJp(std::string_view utf8) {
    Converter converter;
    std::string input(utf8);  // iconv wants a mutable pointer
    std::string output(input.size() * 3 + 8, '\0');

    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();

    while (inLeft > 0) {
        if (::iconv(converter.get(), &in, &inLeft, &out, &outLeft) !=
            static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            const std::size_t used = output.size() - outLeft;
            output.resize(output.size() * 2);
            out = output.data() + used;
            outLeft = output.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: `in` stands on the character that cannot be converted.
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(*in)), inLeft);
        return UnencodableCharacter{std::string(in, length)};
    }
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace glyphwright
