#include "report/painter_surface.h"
#include "report_test_support.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace k5::report;

namespace {

// A4 at 200 dots per inch: 1654 × 2339 pixels, about 7.88 pixels per millimetre.
class PainterSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k5test::ensureGuiApplication();
        image.fill(Qt::gray);
    }
    QPoint pixelAt(double xMm, double yMm) const {
        return {static_cast<int>(xMm * image.width() / 210), static_cast<int>(yMm * image.height() / 297)};
    }
    bool anyDarkPixelIn(double x1, double y1, double x2, double y2) const {
        const QPoint a = pixelAt(x1, y1), b = pixelAt(x2, y2);
        for (int y = a.y(); y <= b.y(); ++y)
            for (int x = a.x(); x <= b.x(); ++x)
                if (qGray(image.pixel(x, y)) < 128) return true;
        return false;
    }

    QImage image{1654, 2339, QImage::Format_RGB32};
};

TEST_F(PainterSurfaceTest, ReportFacesAreDrawnWithTheIpaFacesOfTheSameShape) {
    EXPECT_EQ(PainterSurface::familyFor(QStringLiteral("ＭＳ 明朝")), QStringLiteral("IPAMincho"));
    EXPECT_EQ(PainterSurface::familyFor(QStringLiteral("ＭＳ Ｐ明朝")), QStringLiteral("IPAPMincho"));
    EXPECT_EQ(PainterSurface::familyFor(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(PainterSurface::familyFor(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("IPAGothic"))).family(), QStringLiteral("IPAGothic"));
}

TEST_F(PainterSurfaceTest, PictureWidthInTwipsAtItsResolution) {
    QImage picture(760, 1075, QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780); // 96 dots per inch: 15 twips to the pixel
    EXPECT_NEAR(PainterSurface::widthInTwips(picture), 11400, 5);
}

TEST_F(PainterSurfaceTest, TextStandsBelowAndRightOfThePositionInMillimetres) {
    QPainter painter(&image);
    PainterSurface surface = PainterSurface::forPicture(painter);
    surface.clear();
    surface.setFontFace(QStringLiteral("ＭＳ ゴシック"));
    surface.setFontSize(20);
    surface.setPosition(50, 100);
    const double width = surface.textWidth(QStringLiteral("基礎名"));
    const double height = surface.textHeight(QStringLiteral("基礎名"));
    surface.writeText(QStringLiteral("基礎名"));
    painter.end();

    // 20 points on a 96-dpi picture are 26.7 pixels, 3.4 mm on this sheet; three full-width characters.
    EXPECT_NEAR(height, 3.4 * 1.0, 0.8);
    EXPECT_NEAR(width, 3 * 3.4, 1.0);
    EXPECT_NEAR(surface.currentX(), 50 + width, 1e-9);
    EXPECT_EQ(surface.currentY(), 100);
    EXPECT_TRUE(anyDarkPixelIn(50, 100, 50 + width, 100 + height));
    EXPECT_FALSE(anyDarkPixelIn(30, 90, 49, 99));               // nothing above or left of it
    EXPECT_EQ(image.pixel(pixelAt(5, 5)), qRgb(255, 255, 255)); // cleared to white
}

// The pages of one document share what was measured; whatever faces and
// sizes came before (more than are kept), a text measures and advances as
// in the font it is written in.
TEST_F(PainterSurfaceTest, MeasuresSharedByThePagesAreThoseOfTheFontInUse) {
    QPainter painter(&image);
    TextMeasures measures(&image);
    const double pixelsPerMm = image.width() / kPageWidthMm;
    const QString faces[] = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐゴシック")};
    const QString texts[] = {QStringLiteral("基礎名"), QStringLiteral("1234.5"), QStringLiteral("(kN/本)")};
    for (int page = 0; page < 2; ++page) {
        PainterSurface surface(painter, pixelsPerMm, pixelsPerMm, &measures);
        for (int step = 0; step < 90; ++step) {
            const QString& face = faces[(step / 7) % 2];
            const double points = 5 + (step * 37 % 90) * 0.25;
            surface.setFontFace(face);
            surface.setFontSize(points);
            QFont font = painter.font();
            font.setHintingPreference(QFont::PreferNoHinting);
            font.setFamily(PainterSurface::familyFor(face));
            font.setPointSizeF(points);
            const QFontMetricsF expected(font, &image);
            for (const QString& text : texts) {
                SCOPED_TRACE((face + QStringLiteral(" %1 pt ").arg(points) + text).toStdString());
                const double width = expected.horizontalAdvance(text) / pixelsPerMm;
                EXPECT_DOUBLE_EQ(surface.textWidth(text), width);
                EXPECT_DOUBLE_EQ(surface.textHeight(text), expected.height() / pixelsPerMm);
                surface.setPosition(10, 10);
                surface.writeText(text);
                EXPECT_DOUBLE_EQ(surface.currentX(), 10 + width);
            }
        }
    }
}

TEST_F(PainterSurfaceTest, BoxesAndCirclesAreFilledOnlyWithTheSolidFillStyle) {
    QPainter painter(&image);
    PainterSurface surface = PainterSurface::forPicture(painter);
    surface.clear();
    surface.setFillColor(Qt::black);
    surface.setFillStyle(FillStyle::Transparent);
    surface.box(20, 20, 60, 60);
    surface.setFillStyle(FillStyle::Solid);
    surface.box(100, 20, 140, 60);
    surface.circle(40, 150, 10);
    surface.setPenWidth(3);
    surface.line(20, 200, 180, 200, Qt::red);
    painter.end();

    EXPECT_EQ(image.pixel(pixelAt(40, 40)), qRgb(255, 255, 255));
    EXPECT_TRUE(anyDarkPixelIn(20, 40, 20.2, 40)); // its outline
    EXPECT_EQ(image.pixel(pixelAt(120, 40)), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(pixelAt(40, 150)), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(pixelAt(100, 200)), qRgb(255, 0, 0));
}

} // namespace
