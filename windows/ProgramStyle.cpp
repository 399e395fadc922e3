#include "ProgramStyle.h"

#include <QIcon>
#include <QIconEngine>

namespace glyphwright {

namespace {

// A standard icon of `style`, asked of it when first drawn or measured.
class DeferredIcon final : public QIconEngine {
public:
    DeferredIcon(const QStyle& style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // Every standard pixmap the base style is asked for here has a picture.
    bool isNull() override { return false; }
    [[nodiscard]] QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    DeferredIcon(const DeferredIcon&) = default;

    const QIcon& Icon() {
        if (!made_) {
            icon_ = style_.standardIcon(which_);
            made_ = true;
        }
        return icon_;
    }

    const QStyle& style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool made_ = false;
};

}  // namespace

ProgramStyle::ProgramStyle(QStyle* base) : QProxyStyle(base) {}

ProgramStyle::~ProgramStyle() = default;

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton && option == nullptr) {
        return QIcon(new DeferredIcon(*baseStyle(), icon));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace glyphwright
