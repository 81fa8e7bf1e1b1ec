// Pixels of the cut state strips: which copies are filtered, how, and what becomes
// see-through.
#include "wizards/ScratchFilter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

ChannelFilter same()
{
    return {FilterStyle::Same, 20, false};
}

struct StripCase {
    const char* name;
    ScratchFilter filter;
    std::optional<QRgb> transparent;
    QRgb source;
    QRgb active;    // the pixel in every active copy
    QRgb inactive;  // and in every inactive copy
};

ScratchFilter rgb(ChannelFilter red, ChannelFilter green, ChannelFilter blue)
{
    ScratchFilter filter;
    filter.red = red;
    filter.green = green;
    filter.blue = blue;
    return filter;
}

ScratchFilter gray(FilterStyle style, int amount)
{
    ScratchFilter filter;
    filter.grayscale = true;
    filter.brightnessStyle = style;
    filter.brightness = amount;
    return filter;
}

TEST(ScratchFilter, SixStateStripFiltersActiveAndInactiveCopies)
{
    const StripCase cases[] = {
        {"red lighten 20 on active clamps at 255", rgb({FilterStyle::Lighten, 20, true}, same(), same()), {},
         qRgb(245, 100, 50), qRgb(255, 100, 50), qRgb(245, 100, 50)},
        {"defaults darken every channel of inactive copies", ScratchFilter{}, {}, qRgb(100, 10, 200),
         qRgb(100, 10, 200), qRgb(80, 0, 180)},
        {"each channel its own style and target",
         rgb({FilterStyle::Darken, 30, true}, {FilterStyle::Lighten, 255, false}, {FilterStyle::Lighten, 5, true}), {},
         qRgb(20, 1, 250), qRgb(0, 1, 255), qRgb(20, 255, 250)},
        {"gray lighten 20: mean plus 20 on inactive only", gray(FilterStyle::Lighten, 20), {}, qRgb(10, 20, 30),
         qRgb(10, 20, 30), qRgb(40, 40, 40)},
        {"gray darken truncates the mean, clamps at 0", gray(FilterStyle::Darken, 200), {}, qRgb(100, 101, 101),
         qRgb(100, 101, 101), qRgb(0, 0, 0)},
        {"gray with brightness unchanged still greys", gray(FilterStyle::Same, 99), {}, qRgb(0, 0, 255),
         qRgb(0, 0, 255), qRgb(85, 85, 85)},
        {"white transparent: magenta everywhere, never filtered", gray(FilterStyle::Lighten, 20),
         qRgb(255, 255, 255), qRgb(255, 255, 255), kMagenta, kMagenta},
        {"transparent colour on an RGB filter", ScratchFilter{}, qRgb(1, 2, 3), qRgb(1, 2, 3), kMagenta, kMagenta},
        {"other colours still filtered with transparency on", ScratchFilter{}, qRgb(255, 255, 255), qRgb(100, 100, 100),
         qRgb(100, 100, 100), qRgb(80, 80, 80)},
        {"style Same leaves every channel alone",
         rgb(same(), same(), same()), {}, qRgb(1, 254, 0), qRgb(1, 254, 0), qRgb(1, 254, 0)},
    };
    for (const StripCase& c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture = solid(30, 20, c.source);
        QImage strip = cutStateStrip(picture, QRect(5, 4, 7, 3), 6, false, c.filter, c.transparent);
        ASSERT_EQ(strip.size(), QSize(42, 3));
        for (int copy = 0; copy < 6; ++copy)
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x)
                    ASSERT_EQ(strip.pixel(copy * 7 + x, y), copy < 3 ? c.active : c.inactive)
                        << "copy " << copy << " at " << x << "," << y;
    }
}

TEST(ScratchFilter, CopiesAreTakenPixelForPixel)
{
    QImage picture(16, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, qRgb(x * 10, y * 10, 7));
    ScratchFilter unfiltered = rgb(same(), same(), same());
    // Stacked: active copy on top, inactive below; side by side: left to right.
    QImage stacked = cutStateStrip(picture, QRect(3, 2, 5, 4), 2, true, unfiltered, {});
    QImage beside = cutStateStrip(picture, QRect(3, 2, 5, 4), 2, false, unfiltered, {});
    ASSERT_EQ(stacked.size(), QSize(5, 8));
    ASSERT_EQ(beside.size(), QSize(10, 4));
    for (int copy = 0; copy < 2; ++copy)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const QRgb expected = qRgb((x + 3) * 10, (y + 2) * 10, 7);
                ASSERT_EQ(stacked.pixel(x, copy * 4 + y), expected);
                ASSERT_EQ(beside.pixel(copy * 5 + x, y), expected);
            }
}

TEST(ScratchFilter, StateCountDecidesWhichCopiesAreActive)
{
    const ScratchFilter filter = rgb({FilterStyle::Lighten, 50, true}, same(), {FilterStyle::Lighten, 50, false});
    const QImage picture = solid(4, 4, qRgb(0, 0, 0));
    const QRgb active = qRgb(50, 0, 0), inactive = qRgb(0, 0, 50), unfiltered = qRgb(0, 0, 0);
    const struct {
        int states;
        std::vector<QRgb> copies;
    } cases[] = {
        {1, {unfiltered}},  // one copy has no inactive look: it keeps its colours
        {2, {active, inactive}},
        {3, {active, inactive, inactive}},
        {5, {active, active, inactive, inactive, inactive}},
        {0, {unfiltered}},  // taken as one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.states);
        QImage strip = cutStateStrip(picture, QRect(0, 0, 2, 2), c.states, false, filter, {});
        ASSERT_EQ(strip.width(), int(c.copies.size()) * 2);
        for (std::size_t i = 0; i < c.copies.size(); ++i)
            EXPECT_EQ(strip.pixel(int(i) * 2 + 1, 1), c.copies[i]) << "copy " << i;
    }
}

TEST(ScratchFilter, OneStatePicturesKeepTheirColoursUnderEveryFilter)
{
    const QImage picture = solid(6, 6, qRgb(230, 232, 236));
    const ScratchFilter filters[] = {ScratchFilter{}, gray(FilterStyle::Lighten, 40),
                                     rgb({FilterStyle::Lighten, 30, true}, {FilterStyle::Lighten, 30, false},
                                         {FilterStyle::Darken, 30, false})};
    for (const ScratchFilter& filter : filters) {
        const QImage strip = cutStateStrip(picture, QRect(1, 1, 4, 4), 1, false, filter, {});
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(strip.pixel(x, y), qRgb(230, 232, 236)) << x << "," << y;
    }
}

TEST(ScratchFilter, SeeThroughColourMatchesWithinItsTolerance)
{
    const struct {
        const char* name;
        SeeThrough seeThrough;
        QRgb source;
        bool seeThroughPixel;
    } cases[] = {
        {"exact, no tolerance", {kMagenta, 0}, qRgb(255, 0, 255), true},
        {"one off, no tolerance", {kMagenta, 0}, qRgb(254, 0, 255), false},
        {"every channel 24 off", {kMagenta, 24}, qRgb(231, 24, 231), true},
        {"one channel 25 off", {kMagenta, 24}, qRgb(255, 25, 255), false},
        {"below the colour counts too", {qRgb(100, 100, 100), 10}, qRgb(90, 110, 95), true},
        {"clamped at 255", {kMagenta, 999}, qRgb(0, 255, 0), true},
        {"negative counts as 0", {kMagenta, -5}, qRgb(254, 0, 255), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage picture = solid(4, 4, c.source);
        // A matching pixel is see-through in every copy, never filtered.
        const QImage strip = cutStateStrip(picture, QRect(0, 0, 4, 4), 2, false, ScratchFilter{}, c.seeThrough);
        const QRgb inactive = qRgb(std::max(qRed(c.source) - 20, 0), std::max(qGreen(c.source) - 20, 0),
                                   std::max(qBlue(c.source) - 20, 0));
        EXPECT_EQ(strip.pixel(1, 1), c.seeThroughPixel ? kMagenta : c.source);
        EXPECT_EQ(strip.pixel(5, 1), c.seeThroughPixel ? kMagenta : inactive);
    }
}

TEST(ScratchFilter, AreaBeyondThePictureIsSeeThrough)
{
    const QImage picture = solid(10, 10, qRgb(9, 9, 9));
    const ScratchFilter unfiltered = rgb(same(), same(), same());
    QImage strip = cutStateStrip(picture, QRect(8, -1, 4, 3), 1, false, unfiltered, {});
    ASSERT_EQ(strip.size(), QSize(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(strip.pixel(x, y), (x < 2 && y > 0) ? qRgb(9, 9, 9) : kMagenta) << x << "," << y;
}

}  // namespace
}  // namespace sw
