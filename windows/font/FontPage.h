#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "FontSettings.h"
#include "core/game/GameFile.h"
#include "core/glyphs/FontView.h"
#include "core/glyphs/GlyphImage.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace glyphwright {

class FontGrid;

// The Font window's page: the game file's glyphs from an offset, in the tile format, glyph size
// and tile order chosen, at 1x to 8x, the glyph selected and a range of them. Its controls show
// the document's font settings; what the user changes there is told by `placeChosen`, for the
// window to keep in the document. The keys and the wheel are the window's; they move the page
// through Step() and the selection through the view.
class FontPage final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontPage)

public:
    static constexpr int kMaxZoom = 8;

    explicit FontPage(QObject* parent = nullptr);
    ~FontPage() override;

    [[nodiscard]] FontView& View() { return view_; }
    [[nodiscard]] const FontView& View() const { return view_; }
    [[nodiscard]] FontGrid& Grid() const { return *grid_; }
    [[nodiscard]] QScrollArea& Scroller() const { return *scroller_; }
    [[nodiscard]] QLabel& FileLabel() const { return *file_; }
    [[nodiscard]] QLabel& Status() const { return *status_; }
    [[nodiscard]] QComboBox& CompressionBox() const { return *compression_; }
    // How the font is stored now, and where its stream starts when it is packed.
    [[nodiscard]] Compression Packing() const { return packing_; }
    [[nodiscard]] std::uint64_t Stream() const { return stream_; }
    // The format, size, order, compression, offset and zoom controls, in a row.
    [[nodiscard]] QHBoxLayout* ControlRow() const { return controls_; }
    // The glyphs decoded last.
    [[nodiscard]] const std::vector<GlyphImage>& Glyphs() const { return glyphs_; }
    [[nodiscard]] int Zoom() const;

    // Shows the place and look the settings hold, and codes by their anchor; whether the page
    // shows anything else now, and must be read again.
    bool Take(const FontSettings& settings);
    // Where the page is and how it is drawn, into `settings`.
    void Put(FontSettings& settings) const;
    // Another game file, the first glyph selected; the offset is taken again after it.
    void SetFile(const std::optional<GameFile>& file);

    // Reads the page at the view's offset and shows the offset.
    void Decode();
    // Draws the glyphs decoded last with their captions and guesses, one a glyph (or none).
    void Draw(const QStringList& captions, const QStringList& guesses);
    // Marks the selected glyph and range and says in the status what is selected.
    void ShowSelection();

    // The user moves the page by bytes, glyphs, rows or pages, or the selection; a range
    // selected is let go. The caller reads and draws the page again, or shows the selection.
    void Step(FontView::Step step, std::int64_t count);
    // Whether the page moved with the selection.
    bool MoveSelection(int across, int down);
    // The whole page as the range.
    void SelectWholePage();
    void ZoomBy(int change);
    // The glyphs of the selected range, first and last; the selected glyph alone without one.
    [[nodiscard]] std::pair<int, int> Range() const;

signals:
    // The user changed the format, the offset or the zoom: read and draw the page, and keep.
    void placeChosen();
    // A glyph was clicked: the selection moved.
    void selectionMoved();

private:
    // A click: with Shift the range grows from the glyph selected before.
    void Click(int index, bool extend);
    void FormatChosen();
    void CompressionChosen();
    void OffsetTyped();
    // Reads the glyphs from the file, or from what the stream unpacks to, as the packing says.
    void LoadSource();
    // The offset box: the page's offset, or a packed font's stream.
    void ShowOffset();
    // The sizes the tile format allows, and its order where it has one.
    void FitSizes(TileFormat tiles);

    FontView view_;
    QLabel* file_;
    QComboBox* format_;
    QSpinBox* width_;
    QSpinBox* height_;
    QComboBox* order_;
    QComboBox* compression_;
    QLineEdit* offset_;
    QSpinBox* zoom_;
    QScrollArea* scroller_;
    FontGrid* grid_;
    QLabel* status_;
    QHBoxLayout* controls_;
    std::vector<GlyphImage> glyphs_;
    QString failure_;     // why the page could not be read, or empty
    Compression packing_ = Compression::None;
    std::uint64_t stream_ = 0;  // where the packed stream starts in the file
    QString streamFailure_;     // why the stream does not unpack, or empty
    int rangeFrom_ = -1;  // where a range began; -1: none
    // The anchor the codes under the glyphs come from, as last taken.
    std::optional<FontAnchor> anchor_;
    CodeOrder order16_ = CodeOrder::BigEndian;
};

}  // namespace glyphwright
