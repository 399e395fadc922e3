#include "core/text/TextConverter.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace glyphwright {

namespace {
const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);  // NOLINT: iconv's own failure value
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);
}  // namespace

TextConverter::TextConverter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {
    if (handle_ == kNoHandle) {
        throw std::runtime_error(std::string("the ") + from + " to " + to +
                                 " converter is not available: " + std::strerror(errno));
    }
}

TextConverter::~TextConverter() {
    ::iconv_close(handle_);
}

Result<std::string, ConversionStop> TextConverter::Convert(std::string_view input) {
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // forget what the last text left
    // iconv never writes through its input pointer; glibc merely declares it non-const.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::string output(input.size() * 2 + 8, '\0');
    char* out = output.data();
    std::size_t outLeft = output.size();

    auto grow = [&] {
        const std::size_t used = output.size() - outLeft;
        output.resize(output.size() * 2);
        out = output.data() + used;
        outLeft = output.size() - used;
    };
    while (::iconv(handle_, &in, &inLeft, &out, &outLeft) == kFailed) {
        if (errno != E2BIG) {  // EILSEQ or EINVAL: `in` stands on the character
            return ConversionStop{static_cast<std::size_t>(in - input.data())};
        }
        grow();
    }
    while (::iconv(handle_, nullptr, nullptr, &out, &outLeft) == kFailed && errno == E2BIG) {
        grow();
    }
    output.resize(output.size() - outLeft);
    return output;
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

}  // namespace glyphwright
