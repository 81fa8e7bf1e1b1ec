// The size bar beside an edge: placement, panel sizes and limits, and what its
// splitters and middle panel write into the personality.
#include "preview/SizeBar.h"

#include "document/UisFile.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSplitter>

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct SizeBarFixture {
    TempDir dir;
    std::unique_ptr<TUisFile> document;
    TSizeBarForm bar;
    SizeBarFixture()
    {
        std::filesystem::create_directories(dir.path() / "Skin");
        writeBytes(dir.path() / "Skin" / "skin.uis", "[TITLEBARSKIN]\r\nSkinAuthor=me\r\n[PERSONALITY]\r\n"
                                                     "TopTopHeight=24\r\nTopBotHeight=40\r\nTopStretch=1\r\n"
                                                     "LeftTopHeight=10\r\n");
        document = std::make_unique<TUisFile>((dir.path() / "Skin" / "skin.uis").string());
    }
};

TEST(SizeBar, SitsTwoPixelsOutsideItsEdge)
{
    SizeBarFixture f;
    struct Case {
        int edge;
        QRect edgeRect;
        QRect bar;
    } cases[] = {
        {TSizeBarForm::EdgeTop, QRect(100, 200, 300, 30), QRect(100, 178, 300, 20)},
        {TSizeBarForm::EdgeBottom, QRect(100, 400, 300, 8), QRect(100, 410, 300, 20)},
        {TSizeBarForm::EdgeLeft, QRect(100, 200, 6, 240), QRect(78, 200, 20, 240)},
        {TSizeBarForm::EdgeRight, QRect(394, 200, 6, 240), QRect(402, 200, 20, 240)},
    };
    for (const Case& c : cases) {
        f.bar.ShowFor(f.document.get(), c.edge, c.edgeRect, 200, true);
        EXPECT_EQ(f.bar.geometry(), c.bar) << c.edge;
        EXPECT_EQ(f.bar.Splitter->orientation(), c.edge < 2 ? Qt::Horizontal : Qt::Vertical);
    }
}

TEST(SizeBar, PanelsShowTheEndsAndTheMiddleItsMode)
{
    SizeBarFixture f;
    f.bar.ShowFor(f.document.get(), TSizeBarForm::EdgeTop, QRect(0, 100, 300, 30), 120, true);
    QList<int> sizes = f.bar.Splitter->sizes();
    EXPECT_EQ(sizes.value(0), 24);
    EXPECT_EQ(sizes.value(2), 40);
    EXPECT_EQ(f.bar.PanelMiddle->text(), QStringLiteral("|<-Stretch->|"));
    // Each end may take the bitmap less the other end less one pixel.
    EXPECT_EQ(f.bar.PanelTopLeft->maximumWidth(), 120 - 40 - 1);
    EXPECT_EQ(f.bar.PanelBottomRight->maximumWidth(), 120 - 24 - 1);

    f.bar.ShowFor(f.document.get(), TSizeBarForm::EdgeLeft, QRect(0, 100, 6, 300), 50, true);
    EXPECT_EQ(f.bar.PanelMiddle->text(), QStringLiteral("[T]"));
    EXPECT_EQ(f.bar.Splitter->sizes().value(0), 10);
    EXPECT_EQ(f.bar.PanelTopLeft->maximumHeight(), 49);
}

TEST(SizeBar, SplittersAndTheMiddlePanelWriteThePersonality)
{
    SizeBarFixture f;
    QSignalSpy changed(&f.bar, &TSizeBarForm::Changed);
    f.bar.ShowFor(f.document.get(), TSizeBarForm::EdgeTop, QRect(0, 100, 300, 30), 200, true);
    f.bar.Splitter->setSizes({30, 228, 40});  // 300 less the two 1-pixel handles
    f.bar.Splitter1Moved();
    EXPECT_EQ(f.document->ReadString("PERSONALITY", "TopTopHeight", ""), "30");
    f.bar.Splitter->setSizes({30, 218, 50});
    f.bar.Splitter2Moved();
    EXPECT_EQ(f.document->ReadString("PERSONALITY", "TopBotHeight", ""), "50");
    f.bar.PanelMiddleClick();
    EXPECT_EQ(f.document->ReadString("PERSONALITY", "TopStretch", ""), "0");
    EXPECT_EQ(f.bar.PanelMiddle->text(), QStringLiteral("[Tile][Tile]"));
    f.bar.PanelMiddleClick();
    EXPECT_EQ(f.bar.PanelMiddle->text(), QStringLiteral("|<-Stretch->|"));
    EXPECT_EQ(changed.count(), 4);
    EXPECT_EQ(readBytes(f.dir.path() / "Skin" / "skin.uis"),
              "[TITLEBARSKIN]\r\nSkinAuthor=me\r\n[PERSONALITY]\r\nTopTopHeight=30\r\nTopBotHeight=50\r\n"
              "TopStretch=1\r\nLeftTopHeight=10\r\n");

    f.bar.ShowFor(f.document.get(), TSizeBarForm::EdgeRight, QRect(0, 100, 6, 300), 80, true);
    f.bar.PanelMiddleClick();
    EXPECT_EQ(f.document->ReadString("PERSONALITY", "RightStretch", ""), "1");
    EXPECT_EQ(f.bar.PanelMiddle->text(), QStringLiteral("<S>"));

    // Without a document nothing is written.
    f.bar.Forget();
    f.bar.PanelMiddleClick();
    EXPECT_EQ(changed.count(), 5);
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

TEST(SizeBar, AVersionOnePlusSkinKeepsItsEdgesInBorders)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "Skin");
    const std::filesystem::path file = dir.path() / "Skin" / "skin.uis";
    writeBytes(file, "[TITLEBARSKIN]\r\nSkinName=One\r\n[CAPTION]\r\nBUTTONCOUNT=0\r\n[BORDERS]\r\n"
                     "TopTopHeight=20\r\nTopBottomHeight=12\r\nTopMiddleStretch=1\r\n");
    TUisFile document(file.string());
    ASSERT_EQ(document.FormatVersion(), UisType1p);
    TSizeBarForm bar;
    bar.ShowFor(&document, TSizeBarForm::EdgeTop, QRect(0, 100, 300, 30), 200, true);
    EXPECT_EQ(bar.Splitter->sizes().value(0), 20);
    EXPECT_EQ(bar.Splitter->sizes().value(2), 12);
    EXPECT_EQ(bar.PanelMiddle->text(), QStringLiteral("|<-Stretch->|"));
    bar.PanelMiddleClick();
    bar.Splitter->setSizes({25, 261, 12});
    bar.Splitter1Moved();
    EXPECT_EQ(readBytes(file), "[TITLEBARSKIN]\r\nSkinName=One\r\n[CAPTION]\r\nBUTTONCOUNT=0\r\n[BORDERS]\r\n"
                               "TopTopHeight=25\r\nTopBottomHeight=12\r\nTopMiddleStretch=0\r\n");
    EXPECT_EQ(bar.PanelMiddle->text(), QStringLiteral("[Tile][Tile]"));
}

}  // namespace
}  // namespace sw
