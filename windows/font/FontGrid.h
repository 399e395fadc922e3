#pragma once

#include <QHash>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// A page of glyphs, 16 to a row: light ink on a dark ground, the levels of 2-, 4- and 8-bit
// glyphs as a grey ramp between, the selected glyph framed, the glyphs of a selected range marked.
// Under each glyph a caption row is kept when captions are given (the code a glyph stands for, the
// character the table holds); where the table holds none, a guess may stand in its place, in a
// colour of its own.
// It draws what it is given and says where it was clicked; the Font window does the rest.
class FontGrid final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontGrid)

public:
    static constexpr int kColumns = 16;
    static constexpr int kGap = 3;  // between glyphs, and around the page

    explicit FontGrid(QWidget* parent = nullptr);
    ~FontGrid() override;

    // The glyphs of the page, each `width` x `height`, drawn `zoom` times their size. Captions,
    // if any, one a glyph, of up to two lines; guesses, if any, one a glyph, each drawn as the
    // second line of a caption that has none.
    void Show(const std::vector<GlyphImage>& glyphs, int width, int height, int zoom,
              const QStringList& captions, const QStringList& guesses = {});
    void Select(int index);
    // The glyphs first..last marked as a range; none when first > last.
    void SelectRange(int first, int last);

    [[nodiscard]] int Selected() const { return selected_; }
    [[nodiscard]] const QStringList& Captions() const { return captions_; }
    [[nodiscard]] const QStringList& Guesses() const { return guesses_; }
    // Where the glyph at `index` is drawn.
    [[nodiscard]] QRect GlyphRect(int index) const;
    // The page as drawn, for the tests and the benchmarks.
    [[nodiscard]] const QImage& Picture() const { return picture_; }

    // The colour an ink level is drawn in, and the page's colour around the glyphs.
    [[nodiscard]] static QRgb InkColour(int ink);
    [[nodiscard]] static QRgb PageColour();

    [[nodiscard]] QSize sizeHint() const override;

signals:
    void glyphClicked(int index, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    [[nodiscard]] int CaptionHeight() const;
    [[nodiscard]] int CaptionLine() const;
    [[nodiscard]] const QImage& CaptionPicture(const QString& text, bool guess);
    [[nodiscard]] QSize CellSize() const;

    QImage picture_;
    int count_ = 0;
    int glyphWidth_ = 8;
    int glyphHeight_ = 8;
    int zoom_ = 1;
    int selected_ = -1;
    int rangeFirst_ = 0;
    int rangeLast_ = -1;
    QStringList captions_;
    QStringList guesses_;
    QHash<QString, QImage> captionPictures_[2];  // each caption line as drawn; each guess
    mutable int captionLine_ = 0;                // a caption line's height, once measured
};

}  // namespace glyphwright
