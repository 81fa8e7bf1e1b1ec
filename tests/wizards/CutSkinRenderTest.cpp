// A skin cut from one picture, drawn by the preview at the picture's size, wider and
// narrower: every button shows once, at its own distance from its own edges, and the
// stretched parts of the edges hold no picture of a button.
#include "wizards/ScratchCutter.h"

#include "document/UisFile.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 320, kHeight = 200;

// A button of one colour that nothing else in the picture or in the drawn frame has:
// the blends of the white caption with the title bar keep green above 60 and blue
// above 140, and every button colour has one of them lower.
struct ColouredButton {
    QRect area;
    QRgb colour;
};
const ColouredButton kButtons[] = {
    {{4, 4, 16, 14}, qRgb(250, 200, 0)},      // icon, reaching into the left edge
    {{22, 4, 14, 14}, qRgb(0, 220, 120)},     // a second one on the left
    {{256, 4, 16, 14}, qRgb(200, 0, 0)},      // minimise
    {{274, 4, 16, 14}, qRgb(220, 120, 0)},    // maximise
    {{296, 4, 18, 14}, qRgb(230, 30, 30)},    // close, reaching into the right edge
    {{304, 192, 14, 7}, qRgb(30, 230, 100)},  // a grip in the bottom right corner
};

QImage templatePicture()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(qRgb(212, 208, 200));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (y < 22)  // a title bar that changes along its length, so stretching shows
                picture.setPixel(x, y, qRgb(40 + x * 100 / kWidth, 60, 140 + y));
            else if (x < 8 || x >= kWidth - 8 || y >= kHeight - 8)
                picture.setPixel(x, y, qRgb(90, 100, 120 + x % 7));
        }
    for (int y = 0; y < 4; ++y)  // rounded corners
        for (int x = 0; x < 4 - y; ++x) {
            picture.setPixel(x, y, qRgb(255, 0, 255));
            picture.setPixel(kWidth - 1 - x, y, qRgb(255, 0, 255));
        }
    for (const ColouredButton& button : kButtons)
        for (int y = button.area.top(); y <= button.area.bottom(); ++y)
            for (int x = button.area.left(); x <= button.area.right(); ++x)
                picture.setPixel(x, y, button.colour);
    return picture;
}

// Where the button must be on a window of that size.
QRect expectedPlace(const QRect& area, QSize window)
{
    const bool right = area.center().x() * 2 >= kWidth, bottom = area.center().y() * 2 >= kHeight;
    return area.translated(right ? window.width() - kWidth : 0, bottom ? window.height() - kHeight : 0);
}

TEST(CutSkinRender, EveryButtonShowsOnceAtItsDistanceFromItsEdges)
{
    test::TempDir dir;
    const fs::path engine = dir.path() / "engine";
    fs::create_directories(engine);
    ScratchJob job;
    job.picture = templatePicture();
    job.fileName = "Cut";
    job.author.skinName = "Cut";
    job.actionShift = -3;
    for (const ColouredButton& button : kButtons)
        job.buttons.push_back({4, button.area});
    const ScratchResult result =
        createScratchPersonality(job, engine, programFolder() / "template" / "scratch.uis", false);
    ASSERT_TRUE(result.ok) << result.error;

    TUisFile document(result.uisFile.string(), TUisFile::ReadOnly{});
    TPreviewSources sources;
    TImageCache cache;
    sources.LoadSkin(document, PreviewSettings{}, cache);
    ASSERT_TRUE(sources.PreviewAvailable);

    const QSize sizes[] = {{kWidth, kHeight}, {560, 260}, {250, 170}};
    for (const QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        auto scene = ComposePreview(document, sources, size, true);
        ASSERT_TRUE(scene);
        EXPECT_LE(scene->MinimumSize.width(), size.width());
        addTitleButtons(document, *scene);
        const QImage window = RenderScene(*scene);
        ASSERT_EQ(window.size(), size);
        // Only the edges are looked at: the sample dialog inside has pictures of its own.
        QRegion edges;
        for (const char* edge : {"ImageTop", "ImageBottom", "ImageLeft", "ImageRight"})
            edges += scene->Layer(edge).Rect;
        for (const ColouredButton& button : kButtons) {
            SCOPED_TRACE(testing::Message() << "button at " << button.area.x() << "," << button.area.y());
            QRect found;
            int count = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    if (window.pixel(x, y) == button.colour && edges.contains(QPoint(x, y))) {
                        ++count;
                        found |= QRect(x, y, 1, 1);
                    }
            // All of it, in its place, and nowhere else.
            EXPECT_EQ(found, expectedPlace(button.area, size));
            EXPECT_EQ(count, button.area.width() * button.area.height());
        }
        // The caption keeps clear of the buttons beside it.
        const QRect caption = scene->Layer("LabelFormCaption").Rect;
        EXPECT_GT(caption.left(), kButtons[1].area.right());
        EXPECT_LT(caption.right(), expectedPlace(kButtons[2].area, size).left());
    }
}

}  // namespace
}  // namespace sw
