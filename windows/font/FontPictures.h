#pragma once

#include <QImage>
#include <QObject>

#include <array>

#include "FontSettings.h"
#include "core/table/Document.h"

namespace glyphwright {

class OpenGameFile;

// The game's glyph for each code, by the anchor in the document's font settings, read from the
// open game file: what the code map and the game text draw beside the table's characters. Each
// window keeps its own, made from the document and the game file, not from the Font window.
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

    Document& document_;
    OpenGameFile& game_;
    FontSettings settings_;  // the format and anchor the pictures were read with
    std::array<QImage, kCodeCount> pictures_;
    bool any_ = false;
};

}  // namespace glyphwright
