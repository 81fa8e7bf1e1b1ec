// LoadSkin: which bitmaps are loaded and flagged, the split of version 1p edge
// bitmaps, the author logo, and that a cached bitmap never differs from the file.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "preview/JpegImage.h"
#include "preview/PreviewSources.h"

#include <gtest/gtest.h>


namespace sw::test {
namespace {

namespace fs = std::filesystem;

struct SampleFlags {
    const char* file;
    bool available, progress, textBack, dialog, menuBar, tabBorder, tabs, arrows, hThumb, hTrack, vThumb, vTrack;
};

TEST(PreviewSources, SampleSkinsSetTheirPresenceFlags)
{
    const SampleFlags samples[] = {
        {"Tidewater/Tidewater.uis", true, true, true, true, true, true, true, true, true, true, true, true},
        {"Slate/Slate.uis", true, false, false, false, false, false, false, false, false, false, false, false},
        {"Misnamed/Harbour.uis", true, false, false, false, false, false, false, false, false, false, false, false},
        {"Parchment/Parchment.uis", false, false, false, false, false, false, false, false, false, false, false,
         false},
    };
    for (const SampleFlags& s : samples) {
        SCOPED_TRACE(s.file);
        TUisFile document((sampleSkins() / s.file).string());
        TPreviewSources sources;
        TImageCache cache;
        sources.LoadSkin(document, PreviewSettings{}, cache);
        EXPECT_EQ(sources.PreviewAvailable, s.available);
        EXPECT_EQ(sources.HasProgress, s.progress);
        EXPECT_EQ(sources.HasTextBack, s.textBack);
        EXPECT_EQ(sources.HasDialogBack, s.dialog);
        EXPECT_EQ(sources.HasMenuBar, s.menuBar);
        EXPECT_EQ(sources.HasTabBorder, s.tabBorder);
        EXPECT_EQ(sources.HasTabs, s.tabs);
        EXPECT_EQ(sources.HasScrollArrows, s.arrows);
        EXPECT_EQ(sources.HasHorzThumb, s.hThumb);
        EXPECT_EQ(sources.HasHorzTrack, s.hTrack);
        EXPECT_EQ(sources.HasVertThumb, s.vThumb);
        EXPECT_EQ(sources.HasVertTrack, s.vTrack);
    }
}

// vertFrame holds the left edge's frames in its left half and the right edge's in
// its right half; horzFrame the bottom edge's 4 rows per frame, then the top edge.
TEST(PreviewSources, Version1pSplitsTheSharedEdgeBitmaps)
{
    SkinFolder skin("Split");
    skin.writeBitmap("v.bmp", codedImage(9, 6, 1));
    skin.writeBitmap("h.bmp", codedImage(5, 40, 2));
    TUisFile document(skin.writeUis("[CAPTION]\nBUTTONCOUNT=0\n[BORDERS]\nvertFrame=Split\\v.bmp\n"
                                     "horzFrame=Split\\h.bmp\nFrameCount=2\n"));
    TPreviewSources sources;
    TImageCache cache;
    sources.LoadSkin(document, PreviewSettings{}, cache);
    ASSERT_TRUE(sources.PreviewAvailable);
    EXPECT_EQ(sources.Left, codedImage(9, 6, 1).copy(0, 0, 4, 6));
    EXPECT_EQ(sources.Right, codedImage(9, 6, 1).copy(4, 0, 4, 6));  // the odd last column belongs to neither
    EXPECT_EQ(sources.Bottom, codedImage(5, 40, 2).copy(0, 0, 5, 8));
    EXPECT_EQ(sources.Top, codedImage(5, 40, 2).copy(0, 8, 5, 32));
}

TEST(PreviewSources, AMissingEdgeClearsThePreviewAndKeepsTheLastPicture)
{
    TPreviewSources sources;
    TImageCache cache;
    TUisFile tidewater((sampleSkins() / "Tidewater" / "Tidewater.uis").string());
    sources.LoadSkin(tidewater, PreviewSettings{}, cache);
    const QImage left = sources.Left;

    SkinFolder skin("Broken");
    skin.writeBitmap("top.bmp", codedImage(8, 8));
    TUisFile broken(skin.writeUis("[TITLEBARSKIN]\nSkinAuthor=x\n[PERSONALITY]\nTOP=Broken\\top.bmp\n"
                                  "LEFT=Broken\\nothere.bmp\n"));
    sources.LoadSkin(broken, PreviewSettings{}, cache);
    EXPECT_FALSE(sources.PreviewAvailable);
    EXPECT_EQ(sources.Left, left);
    EXPECT_EQ(sources.Top, codedImage(8, 8));
    EXPECT_FALSE(sources.HasDialogBack);  // Tidewater had one
}

TEST(PreviewSources, ReferencesOutsideTheSkinsRootAreNotFollowed)
{
    SkinFolder skin("Escape");
    skin.writeBitmap("edge.bmp", codedImage(4, 4));
    writeBmp(skin.temporary() / "outside.bmp", codedImage(4, 4));
    TUisFile document(skin.writeUis("[TITLEBARSKIN]\nSkinAuthor=x\n[PERSONALITY]\nTOP=Escape\\edge.bmp\n"
                                    "LEFT=Escape\\edge.bmp\nRIGHT=Escape\\edge.bmp\nBOTTOM=Escape\\edge.bmp\n"
                                    "DialogBmp=..\\outside.bmp\n"));
    TPreviewSources sources;
    TImageCache cache;
    sources.LoadSkin(document, PreviewSettings{}, cache);
    EXPECT_TRUE(sources.PreviewAvailable);
    EXPECT_FALSE(sources.HasDialogBack);
}

// The logo is a JPEG picture unless its name says .BMP, in any letter case.
TEST(PreviewSources, AuthorLogoIsReadAsJpegOrBmpByItsName)
{
    SkinFolder skin("Logo");
    QImage picture(24, 10, QImage::Format_RGB32);
    picture.fill(qRgb(200, 40, 60));
    for (int x = 12; x < 24; ++x)
        for (int y = 0; y < 10; ++y)
            picture.setPixel(x, y, qRgb(20, 90, 220));
    const fs::path jpeg = skin.folder() / "logo.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(jpeg.string()), "JPEG", 95));
    skin.writeBitmap("Logo.Bmp", picture);

    TUisFile document((sampleSkins() / "Slate" / "Slate.uis").string());
    TImageCache cache;
    for (const fs::path& file : {jpeg, skin.folder() / "Logo.Bmp"}) {
        SCOPED_TRACE(file.string());
        TPreviewSources sources;
        PreviewSettings settings;
        settings.LogoImage = file.string();
        sources.LoadSkin(document, settings, cache);
        ASSERT_EQ(sources.AuthorLogo.size(), QSize(24, 10));
        // JPEG is lossy: compare well inside the two colour blocks, with a tolerance.
        for (const auto& [point, colour] : {std::pair{QPoint(4, 5), qRgb(200, 40, 60)},
                                            std::pair{QPoint(19, 5), qRgb(20, 90, 220)}}) {
            const QRgb got = sources.AuthorLogo.pixel(point);
            EXPECT_NEAR(qRed(got), qRed(colour), 6);
            EXPECT_NEAR(qGreen(got), qGreen(colour), 6);
            EXPECT_NEAR(qBlue(got), qBlue(colour), 6);
        }
    }
    std::string error;
    EXPECT_TRUE(readJpegImage(skin.folder() / "Logo.Bmp", &error).isNull());
    EXPECT_FALSE(error.empty());
}

TEST(PreviewSources, ACachedBitmapIsReadAgainWhenItsFileChanges)
{
    SkinFolder skin("Cached");
    const fs::path file = skin.folder() / "edge.bmp";
    skin.writeBitmap("edge.bmp", codedImage(6, 6, 1));
    TImageCache cache;
    EXPECT_EQ(cache.Load(file), codedImage(6, 6, 1));
    EXPECT_EQ(cache.Load(file), codedImage(6, 6, 1));

    // Same size, new pixels, a later time.
    skin.writeBitmap("edge.bmp", codedImage(6, 6, 2));
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
    EXPECT_EQ(cache.Load(file), codedImage(6, 6, 2));

    fs::remove(file);
    EXPECT_TRUE(cache.Load(file).isNull());
}

}  // namespace
// The preview draws exactly the bitmaps the validator accepts: one pixel past a limit
// and the picture is not decoded at all.
TEST(PreviewSources, TheImageCacheRefusesWhatTheValidatorReports)
{
    SkinFolder skin("Limits");
    struct Case {
        int width, height;
    } cases[] = {{kMaxBitmapSide, 1}, {kMaxBitmapSide + 1, 1}, {1, kMaxBitmapSide + 1}, {4, 3}};
    TImageCache cache;
    for (const Case& c : cases) {
        const fs::path file = skin.folder() / ("p" + std::to_string(c.width) + "x" + std::to_string(c.height) + ".bmp");
        QImage picture(c.width, c.height, QImage::Format_RGB32);
        picture.fill(qRgb(10, 20, 30));
        writeBmp(file, picture);
        const std::optional<BitmapSize> size = readBitmapSize(file);
        ASSERT_TRUE(size.has_value());
        const bool refused = !bitmapRefusal(*size).empty();
        EXPECT_EQ(cache.Load(file).isNull(), refused) << c.width << "x" << c.height;
        EXPECT_EQ(refused, c.width > kMaxBitmapSide || c.height > kMaxBitmapSide) << c.width << "x" << c.height;
    }
}

}  // namespace sw::test
