#include "core/text/ScriptCoverage.h"

#include <algorithm>

namespace glyphwright {

void ScriptCoverage::Add(const std::vector<CodeToken>& tokens) {
    codes_ += tokens.size();
    for (const CodeToken& token : tokens) {
        if (token.known) {
            ++known_;
        } else {
            ++uses_[token.code.FirstByte()];
        }
    }
}

std::vector<MissingCode> ScriptCoverage::Missing() const {
    std::vector<MissingCode> missing;
    for (int code = 0; code < kCodeCount; ++code) {
        const std::uint64_t uses = uses_[static_cast<std::size_t>(code)];
        if (uses > 0) missing.push_back({static_cast<ByteCode>(code), uses});
    }
    std::stable_sort(missing.begin(), missing.end(),
                     [](const MissingCode& a, const MissingCode& b) { return a.uses > b.uses; });
    return missing;
}

}  // namespace glyphwright
