// The preview and the validator read bitmaps through one decoder: what one refuses
// the other reports, for the same reason, and a hostile folder costs no more than
// one personality's budget of decoded pixels.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "preview/Blitter.h"
#include "preview/PreviewSources.h"
#include "preview/TitleButtons.h"
#include "preview/WindowShape.h"
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <QRegion>

#include <map>

namespace sw::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> unreadable(const ValidationResult& result)
{
    std::vector<std::string> captions;
    for (const ValidationFinding& finding : result.findings)
        if (finding.caption.rfind("Unreadable", 0) == 0)
            captions.push_back(finding.caption);
    return captions;
}

// A 4 x 3 16-bit (5-5-5) edge: magenta corners, white elsewhere but one dark red.
std::string sixteenBitEdge()
{
    auto row = [](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        return le(a, 2) + le(b, 2) + le(c, 2) + le(d, 2);
    };
    const uint32_t magenta = 0x7C1F, white = 0x7FFF, darkRed = 3u << 10;
    BmpLayout layout;
    layout.width = 4, layout.height = 3, layout.bits = 16;
    layout.pixels = paddedRows({row(magenta, white, white, magenta), row(white, darkRed, white, white),
                              row(magenta, white, white, magenta)});
    return bmpFile(layout);
}

TEST(BitmapAgreement, AJpegNamedBmpIsRefusedByBothAndSixteenBitMagentaIsSeeThrough)
{
    SkinFolder skin("Agree");
    QImage photo(16, 8, QImage::Format_RGB32);
    photo.fill(qRgb(40, 80, 120));
    ASSERT_TRUE(photo.save(QString::fromStdString((skin.folder() / "top.bmp").string()), "JPEG"));
    writeBytes(skin.folder() / "left.bmp", sixteenBitEdge());
    skin.writeBitmap("edge.bmp", codedImage(6, 6));
    TUisFile document(skin.writeUis("[TITLEBARSKIN]\nSkinAuthor=x\n[PERSONALITY]\nTOP=Agree\\top.bmp\n"
                                    "LEFT=Agree\\left.bmp\nRIGHT=Agree\\edge.bmp\nBOTTOM=Agree\\edge.bmp\n"));
    TPreviewSources sources;
    TImageCache cache;
    sources.LoadSkin(document, PreviewSettings{}, cache);

    EXPECT_FALSE(sources.PreviewAvailable);
    EXPECT_EQ(sources.Refused,
              std::vector<std::string>{document.ReferencePath("Agree\\top.bmp").string() +
                                       ": the file is a JPEG picture, not a bitmap"});
    EXPECT_EQ(unreadable(validate(document)),
              std::vector<std::string>{"Unreadable bitmap [Agree\\top.bmp] of Attribute [TOP] in Section "
                                       "[PERSONALITY]: the file is a JPEG picture, not a bitmap."});

    ASSERT_EQ(sources.Left.size(), QSize(4, 3));
    EXPECT_EQ(sources.Left.pixel(0, 0), kMagenta);
    EXPECT_EQ(sources.Left.pixel(1, 0), 0xFFFFFFFFu);  // 31 -> 255, not 248
    EXPECT_EQ(sources.Left.pixel(1, 1), qRgb(24, 0, 0));
    const QRegion seeThrough = magentaRegion(sources.Left, QPoint(0, 0));
    EXPECT_EQ(seeThrough, QRegion(0, 0, 1, 1) + QRegion(3, 0, 1, 1) + QRegion(0, 2, 1, 1) + QRegion(3, 2, 1, 1));
}

// 24 run-length bitmaps of 4096 x 7680 in a few hundred bytes: the first that fit the
// budget are drawn, every other one is refused by name, the validator names the
// same ones, and what is held stays within the budget.
TEST(BitmapAgreement, AHostileFolderIsHeldWithinTheBudgetAndBothNameWhatIsLeftOut)
{
    SkinFolder skin("Hostile");
    BmpLayout huge;
    huge.width = 4096, huge.height = 7680, huge.bits = 8, huge.compression = 1;
    huge.palette = {0x102030};
    huge.pixels = std::string("\0\1", 2);
    const std::string hugeFile = bmpFile(huge);
    skin.writeBitmap("edge.bmp", codedImage(6, 6));
    const char* others[][2] = {
        {"PROGRESS", "BITMAP"},    {"PERSONALITY", "TextBack"},   {"BUTTONS", "BITMAP"},
        {"PERSONALITY", "DialogBmp"}, {"PERSONALITY", "Menubar"},   {"BUTTONS", "CheckButton"},
        {"BUTTONS", "RadioButton"}, {"TABS", "Border"},            {"TABS", "IMAGE"},
        {"Scrollbar", "IMAGE"},    {"HorzScrollThumb", "IMAGE"},  {"HorzScroll", "IMAGE"},
        {"VertScrollThumb", "IMAGE"}, {"VertScroll", "IMAGE"}};
    // Each section once: of sections named twice only the first counts.
    std::map<std::string, std::string> sections;
    sections["PERSONALITY"] = "TOP=Hostile\\edge.bmp\nLEFT=Hostile\\edge.bmp\nRIGHT=Hostile\\edge.bmp\n"
                              "BOTTOM=Hostile\\edge.bmp\nBUTTONCOUNT=10\n";
    int number = 0;
    for (const auto& [section, attribute] : others) {
        const std::string name = "h" + std::to_string(number++) + ".bmp";
        writeBytes(skin.folder() / name, hugeFile);
        sections[section] += std::string(attribute) + "=Hostile\\" + name + "\n";
    }
    std::string uis = "[TITLEBARSKIN]\nSkinAuthor=x\n";
    for (const auto& [section, body] : sections)
        uis += "[" + section + "]\n" + body;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "h" + std::to_string(number++) + ".bmp";
        writeBytes(skin.folder() / name, hugeFile);
        uis += "[Button" + std::to_string(i) + "]\nButtonImage=Hostile\\" + name + "\n";
    }
    TUisFile document(skin.writeUis(uis));
    TPreviewSources sources;
    TImageCache cache;
    sources.LoadSkin(document, PreviewSettings{}, cache);

    EXPECT_TRUE(sources.PreviewAvailable);
    EXPECT_TRUE(sources.HasProgress);
    EXPECT_TRUE(sources.HasTextBack);
    EXPECT_EQ(sources.Progress.pixel(0, 0), 0xFF000000u);  // the stream ends at once: black
    EXPECT_FALSE(sources.HasDialogBack);
    EXPECT_FALSE(sources.HasMenuBar);
    const std::string why = ": the preview cannot load it (4096x7680 pixels past the bitmaps before it; the bitmaps "
                            "of a personality may have at most 67108864 pixels in all)";
    std::vector<std::string> expected;
    for (int i = 2; i < 14; ++i)
        expected.push_back(document.ReferencePath("Hostile\\h" + std::to_string(i) + ".bmp").string() + why);
    EXPECT_EQ(sources.Refused, expected);

    int64_t held = 0;
    for (const QImage* image : {&sources.Left, &sources.Top, &sources.Progress, &sources.TextBack, &sources.PushButton,
                                &sources.DialogBack, &sources.MenuBar, &sources.CheckBox, &sources.RadioButton,
                                &sources.TabBorder, &sources.Tabs, &sources.ScrollArrows, &sources.HorzThumb,
                                &sources.HorzTrack, &sources.VertThumb, &sources.VertTrack})
        held += int64_t(image->width()) * image->height();
    EXPECT_LE(held, kDocumentPixelBudget);
    EXPECT_EQ(sources.Budget.remaining(), kDocumentPixelBudget - 36 - 2 * 4096 * 7680);
    // Loaded again from the filled cache, the pictures held count as much as decoded ones.
    TPreviewSources again;
    again.LoadSkin(document, PreviewSettings{}, cache);
    EXPECT_EQ(again.Refused, expected);
    EXPECT_EQ(again.Budget.remaining(), sources.Budget.remaining());
    EXPECT_TRUE(again.HasProgress && again.HasTextBack && !again.HasDialogBack);

    // The buttons take from what is left: none of their strips fits.
    PixelBudget left = sources.Budget;
    TTitleButtons buttons;
    buttons.Load(document, true, &left);
    EXPECT_EQ(left.remaining(), sources.Budget.remaining());

    // The validator names the same bitmaps in the same order, then the buttons'.
    std::vector<std::string> reported = unreadable(validate(document));
    ASSERT_EQ(reported.size(), 22u);
    for (int i = 2; i < 24; ++i) {
        const std::string reference = "[Hostile\\h" + std::to_string(i) + ".bmp]";
        EXPECT_NE(reported[std::size_t(i - 2)].find(reference), std::string::npos) << reported[std::size_t(i - 2)];
        EXPECT_NE(reported[std::size_t(i - 2)].find(why.substr(2)), std::string::npos);
    }
}

}  // namespace
}  // namespace sw::test
