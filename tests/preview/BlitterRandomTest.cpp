// Many seeded random draws, every result folded into one checksum that was stored
// when the drawing was last known to be right. Any change in what the blitter
// produces, for ordinary input or for nonsense (frames outside the strip, margins
// wider than the frame, destinations of any size), shows up here.
#include "preview/DrawSkinBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace sw {
namespace {

// A generator of our own, so the sequence is the same with every standard library.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number from low to high, both included.
    int between(int low, int high) { return low + int(next() % uint64_t(high - low + 1)); }

private:
    uint64_t state_;
};

class Fnv1a {
public:
    void add(uint32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001B3ull;
        }
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

QImage randomImage(SplitMix& random, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            // One pixel in eight is magenta, as in real skins.
            image.setPixel(x, y, random.between(0, 7) == 0 ? 0xFFFF00FFu : 0xFF000000u | uint32_t(random.next()));
    return image;
}

// The arguments of one random draw.
struct Draw {
    QImage source;
    int left, top, right, bottom, height, width, layout, frame, count, mode;

    explicit Draw(SplitMix& random)
    {
        static const int modes[] = {ModeStretch,    ModeTile,          ModeHollow, ModeTileAcross,
                                    ModeCentre,     ModeStretchAcross, 3};
        source = randomImage(random, random.between(1, 40), random.between(1, 40));
        count = random.between(-1, 6);
        layout = random.between(0, 3);
        frame = random.between(0, count + 1);
        mode = modes[random.between(0, 6)];
        left = random.between(-2, 12), top = random.between(-2, 12);
        right = random.between(-2, 12), bottom = random.between(-2, 12);
        height = random.between(-3, 70), width = random.between(-3, 70);
    }
    void into(QImage& dest) const
    {
        DrawSkinBitmap(source, dest, left, top, right, bottom, height, width, layout, frame, count, mode);
    }
};

uint64_t checksumOfRandomDraws(uint64_t seed, int draws)
{
    SplitMix random(seed);
    Fnv1a sum;
    for (int i = 0; i < draws; ++i) {
        // Half of the draws go into a destination that already holds something.
        QImage dest;
        if (random.between(0, 1))
            dest = randomImage(random, random.between(1, 30), random.between(1, 30));
        Draw(random).into(dest);
        sum.add(uint32_t(dest.width()));
        sum.add(uint32_t(dest.height()));
        for (int y = 0; y < dest.height(); ++y)
            for (int x = 0; x < dest.width(); ++x)
                sum.add(dest.pixel(x, y) & 0x00FFFFFFu);
    }
    return sum.value();
}

TEST(BlitterRandom, ThreeThousandDrawsGiveTheStoredChecksum)
{
    EXPECT_EQ(checksumOfRandomDraws(20240601, 3000), 0x8be14cabce7a72a4ull);
}

// A destination new to its size starts white, wherever the drawing skips the
// white fill because it covers everything: a fresh one must equal one that was
// white already (memory left over from earlier pictures would show otherwise).
TEST(BlitterRandom, AFreshDestinationEqualsAWhiteOne)
{
    SplitMix random(77);
    int compared = 0;
    for (int i = 0; i < 3000; ++i) {
        const Draw draw(random);
        QImage fresh;
        draw.into(fresh);
        if (fresh.isNull())
            continue;
        QImage white(fresh.size(), QImage::Format_RGB32);
        white.fill(0xFFFFFFFFu);
        draw.into(white);
        ASSERT_EQ(fresh, white) << "draw " << i;
        ++compared;
    }
    EXPECT_GT(compared, 2000);
}

}  // namespace
}  // namespace sw
