#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QSize>

#include "ApplicationIcon.h"

namespace glyphwright {
namespace {

// What the program's windows get: every drawn size, straight from the linked-in resources.
TEST(ApplicationIcon, OffersEveryDrawnSize) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_EQ(sizes, (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(64, 64)}));
    for (const QSize& size : sizes) {
        EXPECT_EQ(icon.pixmap(size).size(), size);
    }
}

// Qt's own .ico reader and its PNG reader must see the same pictures: the .ico goes into the
// Windows program file, the PNGs into the windows and the desktop's icon theme.
TEST(ApplicationIcon, PngsShowTheSamePicturesAsTheIco) {
    QImageReader reader(QStringLiteral(":/icons/glyphwright.ico"));
    ASSERT_EQ(reader.imageCount(), 3) << reader.errorString().toStdString();
    QList<QImage> images;
    for (int k = 0; k < reader.imageCount(); ++k) {
        ASSERT_TRUE(reader.jumpToImage(k));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        images.append(image.convertToFormat(QImage::Format_ARGB32));
    }
    ASSERT_EQ(images[1].size(), QSize(32, 32));
    ASSERT_EQ(images[2].size(), QSize(16, 16));

    const QImage png32(QStringLiteral(":/icons/glyphwright-32.png"));
    const QImage png16(QStringLiteral(":/icons/glyphwright-16.png"));
    const QImage png64(QStringLiteral(":/icons/glyphwright-64.png"));
    EXPECT_EQ(png32.convertToFormat(QImage::Format_ARGB32), images[1]);
    EXPECT_EQ(png16.convertToFormat(QImage::Format_ARGB32), images[2]);
    EXPECT_EQ(png64.convertToFormat(QImage::Format_ARGB32),
              images[1].scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace
}  // namespace glyphwright

int main(int argc, char* argv[]) {
    // QIcon draws its pixmaps through the GUI; the test environment picks the offscreen platform.
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
