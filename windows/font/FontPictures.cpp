#include "FontPictures.h"

#include "FontGrid.h"
#include "OpenGameFile.h"
#include "core/glyphs/DecodeGlyphs.h"

namespace glyphwright {

FontPictures::FontPictures(Document& document, OpenGameFile& game, QObject* parent)
    : QObject(parent), document_(document), game_(game) {
    unpackPool_.setMaxThreadCount(1);
    connect(&game_, &OpenGameFile::changed, this, [this] {
        Load();
        emit changed();
    });
    document_.AddObserver(*this);
    Load();
}

FontPictures::~FontPictures() {
    document_.RemoveObserver(*this);
}

const QImage& FontPictures::Of(int code) const {
    static const QImage kNone;
    return code >= 0 && code < kCodeCount ? pictures_[static_cast<std::size_t>(code)] : kNone;
}

QSize FontPictures::GlyphSize() const {
    return {settings_.format.Width(), settings_.format.Height()};
}

void FontPictures::DocumentChanged(const DocumentChange& change) {
    if (!change.settings) return;
    const FontSettings now = FontSettings::Of(document_);
    // The Font window keeps its offset and zoom as the user looks; only these change the glyphs.
    if (now.anchor == settings_.anchor && now.format == settings_.format &&
        now.compression == settings_.compression && now.stream == settings_.stream) {
        return;
    }
    Load();
    emit changed();
}

void FontPictures::Load() {
    settings_ = FontSettings::Of(document_);
    pictures_ = {};
    any_ = false;
    unpacking_.reset();  // a stream asked for before is not wanted any more
    const auto& file = game_.File();
    if (!file || !settings_.anchor) return;
    int first = 0;
    while (first < kCodeCount && !settings_.OffsetOf(static_cast<ByteCode>(first))) ++first;
    if (first == kCodeCount) return;
    const std::uint64_t at = *settings_.OffsetOf(static_cast<ByteCode>(first));
    const auto count = static_cast<std::size_t>(kCodeCount - first);
    if (settings_.compression == Compression::None) {
        auto read = DecodeGlyphs(*file, at, settings_.format, 0, count);
        if (read) Draw(read.value(), first);
        return;
    }
    // A packed font's anchor counts in what its stream unpacks to.
    unpacking_ = StartUnpack(unpackPool_, *file, settings_.stream, settings_.compression);
    connect(unpacking_.get(), &StreamUnpackJob::finished, this, [this, at, count, first] {
        // Only the job asked for last is heard: one superseded went with its watcher.
        StreamUnpackJob* job = unpacking_.release();
        job->deleteLater();
        const UnpackedStream outcome = job->result();
        if (!outcome.bytes) return;
        Draw(DecodeGlyphsInMemory(*outcome.bytes, at, settings_.format, 0, count), first);
        emit changed();
    });
}

void FontPictures::Draw(const std::vector<GlyphImage>& glyphs, int first) {
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphImage& glyph = glyphs[i];
        QImage picture(glyph.width, glyph.height, QImage::Format_RGB32);
        for (int y = 0; y < glyph.height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < glyph.width; ++x) line[x] = FontGrid::InkColour(glyph.at(x, y));
        }
        pictures_[static_cast<std::size_t>(first) + i] = std::move(picture);
        any_ = true;
    }
}

}  // namespace glyphwright
