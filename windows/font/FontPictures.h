#pragma once

#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <array>
#include <memory>
#include <vector>

#include "FontSettings.h"
#include "StreamUnpackJob.h"
#include "core/glyphs/GlyphImage.h"
#include "core/table/Document.h"

namespace glyphwright {

class OpenGameFile;

// The game's glyph for each code, by the anchor in the document's font settings, read from the
// open game file: what the code map and the game text draw beside the table's characters. Each
// window keeps its own, made from the document and the game file, not from the Font window.
// A packed font's stream is unpacked on a thread of its own: its glyphs come with a later
// `changed`, and a stream asked for later supersedes one still unpacking.
class FontPictures final : public QObject, private DocumentObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontPictures)

public:
    FontPictures(Document& document, OpenGameFile& game, QObject* parent = nullptr);
    ~FontPictures() override;

    // The glyph of `code`, light ink on a dark ground; a null image where none is known.
    [[nodiscard]] const QImage& Of(int code) const;
    // Whether any code has a glyph: an anchor is set and the file holds the font.
    [[nodiscard]] bool Any() const { return any_; }
    // The size of every glyph, when there are any.
    [[nodiscard]] QSize GlyphSize() const;

signals:
    void changed();

private:
    void DocumentAboutToChange(const DocumentChange&) override {}
    void DocumentChanged(const DocumentChange& change) override;
    void Load();
    // The glyphs of the codes from `first` on, as pictures.
    void Draw(const std::vector<GlyphImage>& glyphs, int first);

    Document& document_;
    OpenGameFile& game_;
    FontSettings settings_;  // the format and anchor the pictures were read with
    std::array<QImage, kCodeCount> pictures_;
    bool any_ = false;
    QThreadPool unpackPool_;  // before the job: it waits for a superseded unpack, so goes last
    std::unique_ptr<StreamUnpackJob> unpacking_;
};

}  // namespace glyphwright
