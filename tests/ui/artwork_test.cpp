#include "ui/artwork.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QSet>

namespace {

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

// Pixmaps need a GUI application; the suite makes one unless the program has one already.
class ArtworkTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "artwork_test";
            static char* argv[] = {name, nullptr};
            s_app = new QGuiApplication(argc, argv);
        }
    }
    static void TearDownTestSuite() {
        delete s_app;
        s_app = nullptr;
    }

    static inline QGuiApplication* s_app = nullptr;
};

TEST_F(ArtworkTest, BannerIsAnOpaquePictureOfTheBannerSize) {
    const QImage banner = drawBanner().toImage();
    ASSERT_EQ(banner.size(), QSize(1170, 268));
    EXPECT_EQ(qAlpha(banner.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(banner.pixel(1169, 267)), 255);
    EXPECT_GT(distinctColours(banner), 100);
}

TEST_F(ArtworkTest, ArtworkStripIsAnOpaquePortraitPicture) {
    const QImage strip = drawArtworkStrip().toImage();
    ASSERT_EQ(strip.size(), QSize(157, 552));
    EXPECT_EQ(qAlpha(strip.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(strip.pixel(156, 551)), 255);
    EXPECT_GT(distinctColours(strip), 100);
}

TEST_F(ArtworkTest, IconIsDrawnAtEveryDesktopSize) {
    const QIcon icon = drawAppIcon();
    const QList<QSize> available = icon.availableSizes();
    for (const int n : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(available.contains(QSize(n, n)));
        const QImage image = icon.pixmap(QSize(n, n)).toImage();
        ASSERT_EQ(image.size(), QSize(n, n));
        // A card on a transparent ground: clear corner, solid middle, several colours.
        EXPECT_EQ(qAlpha(image.pixel(0, n - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(n / 2, n / 2)), 255);
        EXPECT_GE(distinctColours(image), 4);
    }
}

}  // namespace
