#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/compression/Compression.h"
#include "core/glyphs/FontAnchor.h"
#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/Repertoire.h"

namespace glyphwright {

class Document;

// The Font window's settings as the project keeps them: the document's settings of the feature
// "font", a JSON object. The code map and the game text read the anchor and format from here.
struct FontSettings {
    static constexpr const char* kFeature = "font";
    static constexpr std::array kRepertoires = {Repertoire::Kana, Repertoire::Ascii,
                                                Repertoire::FullWidth, Repertoire::Level1Kanji,
                                                Repertoire::Level2Kanji};

    // How the window reads the glyphs: against which characters, drawn from which face, how
    // sure a guess must be to be accepted with the rest, and where the game's text lies.
    struct Reading {
        bool on = false;
        std::vector<Repertoire> repertoires = {Repertoire::Kana, Repertoire::Ascii,
                                               Repertoire::FullWidth, Repertoire::Level1Kanji};
        std::string family;    // the reference face; empty: the matcher's default
        int acceptAbove = 50;  // percent
        std::optional<std::uint64_t> textOffset;

        friend bool operator==(const Reading&, const Reading&) = default;
    };

    GlyphFormat format;
    // How the font is stored: raw in the file, or packed in a stream that starts at `stream`.
    Compression compression = Compression::None;
    std::uint64_t stream = 0;
    // Where the page starts: in the file, or with a compression in what the stream unpacks to.
    // The anchor's offset counts the same way.
    std::uint64_t offset = 0;
    int zoom = 2;
    std::optional<FontAnchor> anchor;
    Reading reading;
    // Not kept with the font: the document's byte order, which the codes past FF follow.
    CodeOrder order16 = CodeOrder::BigEndian;

    // Whatever the document holds; settings missing or unreadable keep their defaults.
    [[nodiscard]] static FontSettings Of(const Document& document);
    [[nodiscard]] std::string Json() const;
    // Keeps these settings in `document` where no undo reaches: looking at a font is no change.
    // Nothing is written when the document holds them already, nor for a document that never
    // named its font while these are the defaults.
    void Keep(Document& document) const;

    // The code of `glyphOffset`'s glyph by the anchor, one byte or two; none without one.
    [[nodiscard]] std::optional<TableCode> CodeAt(std::uint64_t glyphOffset) const;
    // Where the glyph of `code` starts; none without an anchor or before the file.
    [[nodiscard]] std::optional<std::uint64_t> OffsetOf(ByteCode code) const;

    friend bool operator==(const FontSettings&, const FontSettings&) = default;
};

}  // namespace glyphwright
