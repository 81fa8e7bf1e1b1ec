#include "manage/SkinShot.h"

#include "preview/JpegImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

namespace fs = std::filesystem;

TEST(SkinShot, FileNamesFollowTheDocumentAndTheFormat)
{
    struct Case {
        const char* name;
        int format;
        const char* expected;
    } documentCases[] = {
        {"/skins/Tide/Tide.uis", ShotJpeg, "/skins/Tide/Tide.jpg"},
        {"/skins/Tide/Tide.UIS", ShotBitmap, "/skins/Tide/Tide.bmp"},
        {"/skins/Tide/Tide.uis.bak", ShotClipboard, "/skins/Tide/Tide.jpg"},
        // a folder name with ".uis" in it keeps its place
        {"/skins/old.uis/Tide.uis", ShotJpeg, "/skins/old.uis/Tide.jpg"},
        {"C:\\Skins\\My.Uis\\Mine.uis", ShotBitmap, "C:\\Skins\\My.Uis\\Mine.bmp"},
    };
    for (const Case& c : documentCases)
        EXPECT_EQ(skinShotNameForDocument(QString::fromLatin1(c.name), c.format), QString::fromLatin1(c.expected))
            << c.name;

    const Case formatCases[] = {
        {"/shots/Tide.jpg", ShotBitmap, "/shots/Tide.bmp"},
        {"/shots/Tide.BMP", ShotJpeg, "/shots/Tide.jpg"},
        {"/shots/Tide.jpeg", ShotBitmap, "/shots/Tide.bmp"},
        {"/shots/Tide.bmp.old", ShotJpeg, "/shots/Tide.jpg"},
        {"/shots/Tide.jpg.bmp", ShotBitmap, "/shots/Tide.bmp"},  // the first of them counts
        {"/shots/Tide", ShotBitmap, "/shots/Tide.bmp"},
        {"/pictures.bmp/Tide.jpg", ShotBitmap, "/pictures.bmp/Tide.bmp"},
        {"/shots/Tide.jpg", ShotClipboard, "/shots/Tide.jpg"},
    };
    for (const Case& c : formatCases)
        EXPECT_EQ(skinShotNameForFormat(QString::fromLatin1(c.name), c.format), QString::fromLatin1(c.expected))
            << c.name;
}

TEST(SkinShot, SetSizeCutsOnlyTheSidesAboveTheLimit)
{
    const std::pair<QSize, QSize> cases[] = {{{400, 200}, {295, 200}}, {{200, 400}, {200, 295}},
                                             {{500, 300}, {295, 295}}, {{295, 295}, {295, 295}},
                                             {{120, 80}, {120, 80}}};
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(skinShotSize(size), expected) << size.width() << "x" << size.height();
}

TEST(SkinShot, ShotsAreWrittenWholeInBothFormatsAndFailuresNameTheFile)
{
    test::TempDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(200, 40, 40));
    for (int x = 0; x < 40; ++x)
        picture.setPixel(x, 15, qRgb(0, 0, 255));

    const QString bitmap = QString::fromStdString(dir.file("shot.bmp"));
    QString error;
    ASSERT_TRUE(saveSkinShot(picture, bitmap, ShotBitmap, &error)) << error.toStdString();
    const QImage readBack(bitmap, "BMP");
    ASSERT_EQ(readBack.size(), picture.size());
    EXPECT_EQ(readBack.pixel(3, 15), qRgb(0, 0, 255));
    EXPECT_EQ(readBack.pixel(3, 3), qRgb(200, 40, 40));

    const QString jpeg = QString::fromStdString(dir.file("shot.jpg"));
    ASSERT_TRUE(saveSkinShot(picture, jpeg, ShotJpeg, &error)) << error.toStdString();
    const std::string bytes = test::readBytes(dir.file("shot.jpg"));
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
    // Baseline: a start-of-frame 0 marker, never the progressive SOF2.
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);
    const QImage decoded = readJpegImage(dir.file("shot.jpg"));
    ASSERT_EQ(decoded.size(), picture.size());
    EXPECT_LT(std::abs(qRed(decoded.pixel(3, 3)) - 200), 12);

    // Only the finished shot is left behind.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().filename().string().rfind(".skinshot", 0), 0u) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 2);

    const QString missing = QString::fromStdString(dir.file("no-such-folder/shot.jpg"));
    EXPECT_FALSE(saveSkinShot(picture, missing, ShotJpeg, &error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
}

}  // namespace
}  // namespace sw
