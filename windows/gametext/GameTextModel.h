#pragma once

#include <QAbstractTableModel>
#include <QImage>

#include <cstdint>
#include <vector>

#include "core/text/GameText.h"

namespace glyphwright {

class FontPictures;

// Bytes of a game file in rows of sixteen: the offset, the bytes in hex, and the text they read
// as through a code table; with the game's glyphs given, the text's cell also holds the row's
// bytes drawn as the game draws them, glyph by glyph (its decoration).
class GameTextModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameTextModel)

public:
    enum Column { Offset, Bytes, Text, ColumnCount };
    static constexpr int kBytesPerRow = 16;

    explicit GameTextModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    ~GameTextModel() override = default;

    // `cells` holds one cell for each of `bytes`, which start at file offset `offset`.
    void Show(std::uint64_t offset, std::vector<std::uint8_t> bytes, std::vector<TextCell> cells,
              int offsetDigits);

    // The glyphs to draw each row's bytes in; none: text alone.
    void ShowGlyphs(const FontPictures* pictures);
    // How many times its size a glyph is drawn: small glyphs larger.
    [[nodiscard]] int GlyphZoom() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::uint64_t offset_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::vector<TextCell> cells_;
    int offsetDigits_ = 8;
    const FontPictures* glyphs_ = nullptr;

    [[nodiscard]] QImage RowPicture(std::size_t first, std::size_t end) const;
};

}  // namespace glyphwright
