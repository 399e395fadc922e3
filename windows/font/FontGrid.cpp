#include "FontGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>

namespace glyphwright {

namespace {

constexpr QRgb kPageColour = qRgb(0x12, 0x12, 0x12);
constexpr int kGround = 0x26;  // a glyph's ground: dark, but apart from the page around it
constexpr int kFullInk = 0xF4;
constexpr QRgb kSelectionColour = qRgb(0x3D, 0xAE, 0xE9);
constexpr QRgb kCaptionColour = qRgb(0xC8, 0xC8, 0xC8);
constexpr QRgb kReadingColour = qRgb(0xE8, 0xB8, 0x4A);  // a guess, not yet the table's
constexpr QRgb kRangeColour = qRgb(0x2A, 0x6F, 0x94);

// Every ink level's colour, from the ground up to full ink in even steps: the four levels of a
// 2-bit glyph come out as clearly different greys.
const std::array<QRgb, 256>& Ramp() {
    static const std::array<QRgb, 256> ramp = [] {
        std::array<QRgb, 256> colours{};
        for (int ink = 0; ink < 256; ++ink) {
            const int grey = kGround + (kFullInk - kGround) * ink / 255;
            colours[static_cast<std::size_t>(ink)] = qRgb(grey, grey, grey);
        }
        return colours;
    }();
    return ramp;
}

}  // namespace

FontGrid::FontGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FontGrid::~FontGrid() = default;

QRgb FontGrid::InkColour(int ink) {
    return Ramp()[static_cast<std::size_t>(ink & 0xFF)];
}

QRgb FontGrid::PageColour() {
    return kPageColour;
}

int FontGrid::CaptionHeight() const {
    // Two lines: the code, and the character the table holds for it (or the guess).
    return captions_.isEmpty() ? 0 : 2 * CaptionLine();
}

int FontGrid::CaptionLine() const {
    // Kana and kanji come from a fallback face, often taller than the widget's own. Measured
    // once: every glyph's place depends on it.
    if (captionLine_ == 0) {
        const QFontMetrics metrics = fontMetrics();
        captionLine_ = std::max(metrics.height(),
                                metrics.boundingRect(QStringLiteral("\u3042\u6F22")).height());
    }
    return captionLine_;
}

const QImage& FontGrid::CaptionPicture(const QString& text, bool guess) {
    // Laid out once and copied after: a page holds 512 caption lines, mostly the same again.
    QHash<QString, QImage>& pictures = captionPictures_[guess ? 1 : 0];
    auto known = pictures.find(text);
    if (known != pictures.end()) return *known;
    if (pictures.size() > 4096) pictures.clear();
    const QFontMetrics metrics = fontMetrics();
    QImage picture(std::max(1, metrics.horizontalAdvance(text) + 2), CaptionLine(),
                   QImage::Format_RGB32);
    picture.fill(kPageColour);
    QPainter painter(&picture);
    painter.setPen(QColor::fromRgb(guess ? kReadingColour : kCaptionColour));
    painter.setFont(font());
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return *pictures.insert(text, picture);
}

QSize FontGrid::CellSize() const {
    return {glyphWidth_ * zoom_ + kGap, glyphHeight_ * zoom_ + CaptionHeight() + kGap};
}

QRect FontGrid::GlyphRect(int index) const {
    const QSize cell = CellSize();
    return {kGap + index % kColumns * cell.width(), kGap + index / kColumns * cell.height(),
            glyphWidth_ * zoom_, glyphHeight_ * zoom_};
}

QSize FontGrid::sizeHint() const {
    const QSize cell = CellSize();
    return {kGap + kColumns * cell.width(), kGap + kColumns * cell.height()};
}

void FontGrid::Show(const std::vector<GlyphImage>& glyphs, int width, int height, int zoom,
                    const QStringList& captions, const QStringList& guesses) {
    const bool resized = width != glyphWidth_ || height != glyphHeight_ || zoom != zoom_ ||
                         captions.isEmpty() != captions_.isEmpty();
    guesses_ = guesses;
    glyphWidth_ = width;
    glyphHeight_ = height;
    zoom_ = zoom;
    captions_ = captions;
    count_ = static_cast<int>(glyphs.size());

    const QSize size = sizeHint();
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    picture_.fill(kPageColour);
    const auto& ramp = Ramp();
    const auto span = static_cast<std::size_t>(width * zoom) * sizeof(QRgb);
    for (int index = 0; index < count_; ++index) {
        const GlyphImage& glyph = glyphs[static_cast<std::size_t>(index)];
        const QRect place = GlyphRect(index);
        for (int y = 0; y < glyph.height; ++y) {
            auto* line =
                reinterpret_cast<QRgb*>(picture_.scanLine(place.top() + y * zoom)) + place.left();
            const std::uint8_t* ink = glyph.ink.data() + static_cast<std::size_t>(y) *
                                                             static_cast<std::size_t>(glyph.width);
            for (int x = 0; x < glyph.width; ++x) {
                const QRgb colour = ramp[ink[x]];
                for (int copy = 0; copy < zoom; ++copy) line[x * zoom + copy] = colour;
            }
            // The other lines of a zoomed pixel row are copies of the first.
            for (int copy = 1; copy < zoom; ++copy) {
                std::memcpy(picture_.scanLine(place.top() + y * zoom + copy) +
                                static_cast<std::ptrdiff_t>(place.left()) *
                                    static_cast<std::ptrdiff_t>(sizeof(QRgb)),
                            line, span);
            }
        }
    }
    if (!captions_.isEmpty()) {
        QPainter painter(&picture_);
        const int line = CaptionLine();
        for (int index = 0; index < count_ && index < captions_.size(); ++index) {
            const QRect place = GlyphRect(index);
            // Line by line, each in its own room, centred under the glyph and cut to the cell.
            QStringList lines = captions_[index].split(u'\n');
            const bool guessed = (lines.size() < 2 || lines[1].isEmpty()) &&
                                 index < guesses_.size() && !guesses_[index].isEmpty();
            if (guessed) {
                while (lines.size() < 2) lines << QString();
                lines[1] = guesses_[index];
            }
            for (int row = 0; row < lines.size() && row < 2; ++row) {
                if (lines[row].isEmpty()) continue;
                const QImage& text = CaptionPicture(lines[row], guessed && row == 1);
                const QRect room(place.left() - kGap / 2, place.bottom() + 1 + row * line,
                                 place.width() + kGap, line);
                const int shown = std::min(text.width(), room.width());
                painter.drawImage(QPoint(room.left() + (room.width() - shown) / 2, room.top()),
                                  text, QRect((text.width() - shown) / 2, 0, shown, line));
            }
        }
    }
    if (selected_ >= count_) selected_ = count_ - 1;
    if (resized) updateGeometry();
    update();
}

void FontGrid::Select(int index) {
    if (index == selected_) return;
    selected_ = index;
    update();
}

void FontGrid::SelectRange(int first, int last) {
    if (first == rangeFirst_ && last == rangeLast_) return;
    rangeFirst_ = first;
    rangeLast_ = last;
    update();
}

void FontGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgb(kPageColour));
    painter.drawImage(event->rect().topLeft(), picture_, event->rect());
    if (rangeFirst_ <= rangeLast_) {
        painter.setPen(QPen(QColor::fromRgb(kRangeColour), 2));
        painter.setBrush(Qt::NoBrush);
        for (int index = std::max(0, rangeFirst_); index <= rangeLast_ && index < count_; ++index) {
            painter.drawRect(GlyphRect(index).adjusted(-1, -1, 1, 1));
        }
    }
    if (selected_ >= 0 && selected_ < count_) {
        const QRect glyph = GlyphRect(selected_);
        QPen pen(QColor::fromRgb(kSelectionColour), 2);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(glyph.adjusted(-1, -1, 1, 1));
    }
}

void FontGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QSize cell = CellSize();
    const QPoint at = event->position().toPoint() - QPoint(kGap, kGap);
    if (at.x() < 0 || at.y() < 0) return;
    const int column = at.x() / cell.width();
    const int row = at.y() / cell.height();
    const int index = row * kColumns + column;
    if (column < kColumns && index < count_) emit glyphClicked(index, event->modifiers());
}

}  // namespace glyphwright
