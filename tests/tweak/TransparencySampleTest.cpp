#include "tweak/TransparencySample.h"

#include <gtest/gtest.h>

namespace sw::tweak {
namespace {

QImage flatPicture(QRgb colour)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(TransparencySample, PlainColoursMaskAndInverseColoursExclusiveOrThePicture)
{
    const QRgb picture = qRgb(200, 100, 50);
    struct Case {
        int index;
        QRgb inside;
        QRgb outline;
    } cases[] = {
        {0, qRgb(0, 100, 50), qRgb(0, 0, 0)},            // cyan mask
        {3, qRgb(200, 0, 0), qRgb(0, 0, 0)},             // red mask
        {6, qRgb(0, 100, 0), qRgb(0, 0, 0)},             // dark green shows bright green
        {7, picture, qRgb(0, 0, 0)},                     // clear: white keeps the picture
        {8, qRgb(55, 100, 50), qRgb(55, 155, 205)},      // red, exclusive-or, white outline
        {10, qRgb(200, 228, 50), qRgb(55, 155, 205)},    // dark green (0,128,0)
        {13, qRgb(200, 100, 205), qRgb(55, 155, 205)},   // blue
        {15, qRgb(55, 155, 205), qRgb(55, 155, 205)},    // the whole picture inverted
    };
    for (const Case& c : cases) {
        const QImage sample = transparencySample(flatPicture(picture), c.index, true, Qt::gray);
        const QRect shape = shapeRect(sample.size());
        EXPECT_EQ(sample.pixel(shape.center()), c.inside) << c.index;
        EXPECT_EQ(sample.pixel(shape.topLeft()), c.outline) << c.index;
        EXPECT_EQ(sample.pixel(shape.right(), shape.bottom()), c.outline) << c.index;
        EXPECT_EQ(sample.pixel(0, 0), picture) << c.index;  // outside the shape
        EXPECT_EQ(sample.pixel(shape.left() - 1, shape.center().y()), picture) << c.index;
        EXPECT_EQ(sample.pixel(shape.right() + 1, shape.center().y()), picture) << c.index;
    }
}

TEST(TransparencySample, ARegularBackgroundHidesThePictureAndDrawsAWhiteShape)
{
    const QColor background(212, 208, 200);
    for (int index : {0, 9, 15}) {
        const QImage sample = transparencySample(flatPicture(qRgb(1, 2, 3)), index, false, background);
        const QRect shape = shapeRect(sample.size());
        EXPECT_EQ(sample.pixel(0, 0), background.rgb());
        EXPECT_EQ(sample.pixel(shape.center()), qRgb(255, 255, 255));
        EXPECT_EQ(sample.pixel(shape.topLeft()), qRgb(0, 0, 0));
        EXPECT_EQ(sample.pixel(shape.right(), shape.bottom()), qRgb(0, 0, 0));
        EXPECT_EQ(sample.pixel(shape.right() + 1, shape.bottom()), background.rgb());
    }
}

TEST(TransparencySample, SixteenNamedColoursWithTheirShapeColours)
{
    const QStringList names = transparencyColourNames();
    ASSERT_EQ(names.size(), 16);
    EXPECT_EQ(names[7], QStringLiteral("Clear"));
    EXPECT_EQ(names[14], QStringLiteral("Inverse Dark Green (Dark Magenta)"));
    EXPECT_EQ(names[15], QStringLiteral("Inverse Image (Black)"));
    const QRgb expected[16] = {qRgb(0, 255, 255), qRgb(255, 255, 0), qRgb(255, 0, 255), qRgb(255, 0, 0),
                               qRgb(0, 255, 0),   qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(255, 255, 255),
                               qRgb(255, 0, 0),   qRgb(255, 255, 0), qRgb(0, 128, 0),   qRgb(255, 0, 0),
                               qRgb(0, 255, 0),   qRgb(0, 0, 255),   qRgb(0, 128, 0),   qRgb(255, 255, 255)};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(shapeColour(i).rgb(), expected[i]) << i;
}

}  // namespace
}  // namespace sw::tweak
