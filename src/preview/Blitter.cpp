#include "preview/Blitter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace sw {

QImage toSkinFormat(const QImage& image)
{
    if (image.isNull() || image.format() == kSkinFormat)
        return image;
    return image.convertToFormat(kSkinFormat);
}

namespace blit {

namespace {

// Rows of an image as plain pointers and a stride in pixels.
struct ConstRows {
    const uint32_t* bits;
    qsizetype stride;
    int width, height;

    explicit ConstRows(const QImage& image)
        : bits(reinterpret_cast<const uint32_t*>(image.constBits())),
          stride(image.bytesPerLine() / 4),
          width(image.width()),
          height(image.height())
    {
    }
    ConstRows(const uint32_t* pixels, qsizetype rowStride, int w, int h)
        : bits(pixels), stride(rowStride), width(w), height(h)
    {
    }
    const uint32_t* row(int y) const { return bits + stride * y; }
};

struct Rows {
    uint32_t* bits;
    qsizetype stride;
    int width, height;

    explicit Rows(QImage& image)
        : bits(reinterpret_cast<uint32_t*>(image.bits())),
          stride(image.bytesPerLine() / 4),
          width(image.width()),
          height(image.height())
    {
    }
    uint32_t* row(int y) const { return bits + stride * y; }
};

bool usable(const QImage& image)
{
    return !image.isNull() && image.depth() == 32;
}

// Clips a one-to-one transfer of `from` to `to` against both images. Returns false
// when nothing is left; otherwise from and to describe the visible part.
bool clipTransfer(const QImage& source, QRect& from, QImage& dest, QPoint& to)
{
    if (from.width() <= 0 || from.height() <= 0)
        return false;
    QRect visible = from.intersected(source.rect());
    to += visible.topLeft() - from.topLeft();
    QRect target(to, visible.size());
    QRect clipped = target.intersected(dest.rect());
    if (clipped.isEmpty())
        return false;
    from = QRect(visible.topLeft() + (clipped.topLeft() - target.topLeft()), clipped.size());
    to = clipped.topLeft();
    return true;
}

// Sets `count` pixels to one colour, four at a time.
void fillPixels(uint32_t* d, int count, uint32_t colour)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(int(colour));
    for (; x + 4 <= count; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), four);
#endif
    for (; x < count; ++x)
        d[x] = colour;
}

// Copies `count` pixels. Rows of a side edge are a few pixels wide and come by the
// thousand, so short ones are moved here in two overlapping pieces, without a call.
inline void copyPixels(uint32_t* d, const uint32_t* s, int count)
{
    const auto pieces = [d, s, count]<std::size_t N>() {
        uint32_t head[N], tail[N];
        std::memcpy(head, s, sizeof head);
        std::memcpy(tail, s + count - int(N), sizeof tail);
        std::memcpy(d, head, sizeof head);
        std::memcpy(d + count - int(N), tail, sizeof tail);
    };
    if (count > 16)
        std::memcpy(d, s, std::size_t(count) * 4);
    else if (count >= 8)
        pieces.template operator()<8>();
    else if (count >= 4)
        pieces.template operator()<4>();
    else if (count >= 2)
        pieces.template operator()<2>();
    else if (count == 1)
        *d = *s;
}

// floor(((2i + 1) * from) / (2 * to)) for i = start, start + 1, ...: the source pixel
// under the centre of destination pixel i when `from` pixels are spread over `to`,
// stepped along without a division per pixel.
class CentreSteps {
public:
    CentreSteps(int start, int from, int to) : span_(2 * int64_t(to))
    {
        const int64_t first = (2 * int64_t(start) + 1) * from;
        at_ = first / span_;
        rest_ = first % span_;
        whole_ = 2 * int64_t(from) / span_;
        part_ = 2 * int64_t(from) % span_;
    }
    int value() const { return int(at_); }
    void next()
    {
        at_ += whole_;
        rest_ += part_;
        if (rest_ >= span_) {
            rest_ -= span_;
            ++at_;
        }
    }

private:
    int64_t span_, at_ = 0, rest_ = 0, whole_ = 0, part_ = 0;
};

// A run of destination columns that all show one source column.
struct ColumnRun {
    int start, length, column;
};

}  // namespace

namespace {

// The plain form of copyTransparentRow: four pixels at a time, each group merged
// with the pixels below it (or the ground) by a mask of its magenta pixels, without
// branching on the mask.
#if defined(__SSE2__)
// Four pixels from `s` laid over the four at `d` (or the ground): the magenta ones let
// what lies below show.
inline __m128i mergedFour(const uint32_t* s, const uint32_t* d, const uint32_t* ground)
{
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i magenta =
        _mm_cmpeq_epi32(_mm_and_si128(pixels, _mm_set1_epi32(0x00FFFFFF)), _mm_set1_epi32(0x00FF00FF));
    const __m128i below = ground ? _mm_set1_epi32(int(*ground)) : _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    return _mm_or_si128(_mm_and_si128(magenta, below), _mm_andnot_si128(magenta, pixels));
}
#endif

void copyTransparentRowPlain(const uint32_t* s, uint32_t* d, int width, const uint32_t* ground)
{
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), mergedFour(s + x, d + x, ground));
#endif
    for (; x < width; ++x)
        if (!isMagenta(s[x]))
            d[x] = s[x];
        else if (ground)
            d[x] = *ground;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define SW_WIDE __attribute__((target("avx2")))

// The magenta pixels of eight, as a mask of whole lanes.
SW_WIDE inline __m256i magentaLanes(__m256i pixels)
{
    return _mm256_cmpeq_epi32(_mm256_and_si256(pixels, _mm256_set1_epi32(0x00FFFFFF)), _mm256_set1_epi32(0x00FF00FF));
}

// One group of eight: stored as it is without magenta, skipped (or given the ground)
// when all magenta, and merged with the pixels below only where both kinds meet.
SW_WIDE inline void copyGroup(__m256i pixels, __m256i magenta, uint32_t* at, const uint32_t* ground,
                              __m256i groundPixels)
{
    const int mask = _mm256_movemask_epi8(magenta);
    __m256i* out = reinterpret_cast<__m256i*>(at);
    if (mask == 0)
        _mm256_storeu_si256(out, pixels);
    else if (ground)
        _mm256_storeu_si256(out, _mm256_blendv_epi8(pixels, groundPixels, magenta));
    else if (mask != -1)
        _mm256_storeu_si256(out, _mm256_blendv_epi8(pixels, _mm256_loadu_si256(out), magenta));
}

// Eight pixels at a time, and thirty-two while they are all of one kind: bitmaps are
// mostly long runs of magenta or of none.
SW_WIDE void copyTransparentRowWide(const uint32_t* s, uint32_t* d, int width, const uint32_t* ground)
{
    int x = 0;
    const __m256i groundPixels = _mm256_set1_epi32(int(ground ? *ground : 0));
    // Thirty-two pixels at a time, with one test for the common case of all of them
    // being of one kind.
    for (; x + 32 <= width; x += 32) {
        const __m256i* in = reinterpret_cast<const __m256i*>(s + x);
        const __m256i p0 = _mm256_loadu_si256(in), p1 = _mm256_loadu_si256(in + 1);
        const __m256i p2 = _mm256_loadu_si256(in + 2), p3 = _mm256_loadu_si256(in + 3);
        const __m256i m0 = magentaLanes(p0), m1 = magentaLanes(p1), m2 = magentaLanes(p2), m3 = magentaLanes(p3);
        const __m256i any = _mm256_or_si256(_mm256_or_si256(m0, m1), _mm256_or_si256(m2, m3));
        const __m256i all = _mm256_and_si256(_mm256_and_si256(m0, m1), _mm256_and_si256(m2, m3));
        __m256i* out = reinterpret_cast<__m256i*>(d + x);
        if (_mm256_testz_si256(any, any)) {
            _mm256_storeu_si256(out, p0);
            _mm256_storeu_si256(out + 1, p1);
            _mm256_storeu_si256(out + 2, p2);
            _mm256_storeu_si256(out + 3, p3);
        } else if (_mm256_movemask_epi8(all) == -1) {
            if (ground)
                for (int i = 0; i < 4; ++i)
                    _mm256_storeu_si256(out + i, groundPixels);
        } else {
            copyGroup(p0, m0, d + x, ground, groundPixels);
            copyGroup(p1, m1, d + x + 8, ground, groundPixels);
            copyGroup(p2, m2, d + x + 16, ground, groundPixels);
            copyGroup(p3, m3, d + x + 24, ground, groundPixels);
        }
    }
    for (; x + 8 <= width; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
        copyGroup(pixels, magentaLanes(pixels), d + x, ground, groundPixels);
    }
    if (x == width)
        return;
    if (width >= 8) {
        // The last one to seven pixels as the group of eight that ends the row: the
        // pixels it takes again come out the same the second time.
        x = width - 8;
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
        copyGroup(pixels, magentaLanes(pixels), d + x, ground, groundPixels);
        return;
    }
    // A row narrower than one group.
    copyTransparentRowPlain(s, d, width, ground);
}

// Rows of a tile whose period fits in N registers of eight pixels, written from those
// registers with stores aligned to 32 bytes: no pixel is read back from memory while
// the area is written, which lets the rows go out as fast as a fill. `patterns` holds,
// for each row of the tile, 2 * 8N pixels starting at the area's first column.
template <int N>
SW_WIDE void tileRowsFromRegisters(const uint32_t* patterns, int th, int phaseY, uint32_t* topRow, qsizetype stride,
                                   int width, int height)
{
    constexpr int period = 8 * N;
    for (int y = 0, r = phaseY; y < height; ++y, r = r + 1 == th ? 0 : r + 1) {
        const uint32_t* pattern = patterns + std::size_t(r) * 2 * period;
        uint32_t* d = topRow + stride * y;
        // Up to the first 32-byte boundary with one unaligned store, then aligned ones.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern)));
        int x = int((32 - (reinterpret_cast<uintptr_t>(d) & 31)) & 31) / 4;
        __m256i registers[N];
#pragma GCC unroll 8
        for (int k = 0; k < N; ++k)
            registers[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + x + 8 * k));
        for (; x + period <= width; x += period) {
#pragma GCC unroll 8
            for (int k = 0; k < N; ++k)
                _mm256_store_si256(reinterpret_cast<__m256i*>(d + x + 8 * k), registers[k]);
        }
#pragma GCC unroll 8
        for (int k = 0; k < N; ++k)
            if (x + 8 <= width) {
                _mm256_store_si256(reinterpret_cast<__m256i*>(d + x), registers[k]);
                x += 8;
            }
        if (x < width)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + width - 8),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + (width - 8) % period)));
    }
}

#undef SW_WIDE
#endif

// The widest form this processor runs.
TransparentRowForm transparentRow()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const TransparentRowForm chosen =
        __builtin_cpu_supports("avx2") ? copyTransparentRowWide : copyTransparentRowPlain;
    return chosen;
#else
    return copyTransparentRowPlain;
#endif
}

#if defined(__SSE2__)
// A bitmap four to seven pixels wide (a side edge: a thousand such rows) as the first
// and the last four pixels of each row, both merged before either is stored.
void copyNarrowTransparentRows(const uint32_t* s, qsizetype sourceStride, uint32_t* d, qsizetype destStride, int width,
                               int height, const uint32_t* ground)
{
    const int last = width - 4;
    for (; height > 0; --height, s += sourceStride, d += destStride) {
        const __m128i first = mergedFour(s, d, ground), end = mergedFour(s + last, d + last, ground);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + last), end);
    }
}
#endif

void copyTransparentRows(const QImage& source, const QRect& fromRect, QImage& dest, const QPoint& toPoint,
                         const uint32_t* ground)
{
    if (!usable(source) || !usable(dest))
        return;
    QRect from = fromRect;
    QPoint to = toPoint;
    if (!clipTransfer(source, from, dest, to))
        return;
    const ConstRows src(source);
    const Rows dst(dest);
    const uint32_t* s = src.row(from.top()) + from.left();
    uint32_t* d = dst.row(to.y()) + to.x();
    const int width = from.width();
    int height = from.height();
#if defined(__SSE2__)
    if (width >= 4 && width < 8) {
        copyNarrowTransparentRows(s, src.stride, d, dst.stride, width, height, ground);
        return;
    }
#endif
    const TransparentRowForm row = transparentRow();
    while (height--) {
        row(s, d, width, ground);
        s += src.stride;
        d += dst.stride;
    }
}

}  // namespace

void copyTransparentRow(const uint32_t* s, uint32_t* d, int width, const uint32_t* ground)
{
    transparentRow()(s, d, width, ground);
}

std::vector<TransparentRowForm> copyTransparentRowForms()
{
    std::vector<TransparentRowForm> forms{copyTransparentRowPlain};
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx2"))
        forms.push_back(copyTransparentRowWide);
#endif
    return forms;
}

int runEnd(const uint32_t* row, int from, int width, bool magenta)
{
    int x = std::max(from, 0);
#if defined(__SSE2__)
    const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(0x00FF00FF);
    const int whole = magenta ? 0xFFFF : 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(pixels, colourBits), key)) != whole)
            break;
    }
#endif
    while (x < width && isMagenta(row[x]) == magenta)
        ++x;
    return x;
}

void copy(const QImage& source, const QRect& fromRect, QImage& dest, const QPoint& toPoint)
{
    if (!usable(source) || !usable(dest))
        return;
    QRect from = fromRect;
    QPoint to = toPoint;
    if (!clipTransfer(source, from, dest, to))
        return;
    const ConstRows src(source);
    const Rows dst(dest);
    const uint32_t* s = src.row(from.top()) + from.left();
    uint32_t* d = dst.row(to.y()) + to.x();
    const int width = from.width();
    int height = from.height();
    while (height--) {
        copyPixels(d, s, width);
        s += src.stride;
        d += dst.stride;
    }
}

void copyTransparent(const QImage& source, const QRect& from, QImage& dest, const QPoint& to)
{
    copyTransparentRows(source, from, dest, to, nullptr);
}

void copyTransparentOnto(const QImage& source, const QRect& from, QImage& dest, const QPoint& to, uint32_t ground)
{
    copyTransparentRows(source, from, dest, to, &ground);
}

void stretch(const QImage& source, const QRect& from, QImage& dest, const QRect& to)
{
    if (!usable(source) || !usable(dest))
        return;
    const int sw = from.width(), sh = from.height(), dw = to.width(), dh = to.height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    const ConstRows src(source);
    const Rows dst(dest);

    // Destination columns inside the destination image whose source column lies
    // inside the source image; the mapping is monotonic, so they form one run.
    auto sourceColumn = [&](int x) {
        return from.left() + int((int64_t(2 * (x - to.left()) + 1) * sw) / (int64_t(2) * dw));
    };
    auto sourceRow = [&](int y) {
        return from.top() + int((int64_t(2 * (y - to.top()) + 1) * sh) / (int64_t(2) * dh));
    };
    int x0 = std::max(to.left(), 0), x1 = std::min(to.left() + dw, dst.width);
    while (x0 < x1 && sourceColumn(x0) < 0)
        ++x0;
    while (x1 > x0 && sourceColumn(x1 - 1) >= src.width)
        --x1;
    int y0 = std::max(to.top(), 0), y1 = std::min(to.top() + dh, dst.height);
    while (y0 < y1 && sourceRow(y0) < 0)
        ++y0;
    while (y1 > y0 && sourceRow(y1 - 1) >= src.height)
        --y1;
    if (x0 >= x1 || y0 >= y1)
        return;

    const int width = x1 - x0;
    const bool sameWidth = sw == dw;
    std::vector<int> columns;
    std::vector<ColumnRun> runs;
    if (!sameWidth) {
        CentreSteps column(x0 - to.left(), sw, dw);
        // Widened a good deal (an edge's middle drawn across the window), a row is a
        // few runs of one colour each, filled rather than looked up pixel by pixel.
        if (dw >= 4 * sw) {
            for (int i = 0; i < width; ++i, column.next()) {
                const int c = from.left() + column.value();
                if (runs.empty() || runs.back().column != c)
                    runs.push_back({i, 1, c});
                else
                    ++runs.back().length;
            }
        } else {
            columns.resize(std::size_t(width));
            for (int& c : columns) {
                c = from.left() + column.value();
                column.next();
            }
        }
    }
    const int* map = columns.data();
    const int firstColumn = sourceColumn(x0);

    int previousRow = -1;
    const uint32_t* previousOut = nullptr;
    uint32_t* d = dst.row(y0) + x0;
    CentreSteps row(y0 - to.top(), sh, dh);
    for (int y = y0; y < y1; ++y, d += dst.stride, row.next()) {
        const int sy = from.top() + row.value();
        if (sy == previousRow) {
            copyPixels(d, previousOut, width);
            continue;
        }
        const uint32_t* s = src.row(sy);
        if (sameWidth) {
            copyPixels(d, s + firstColumn, width);
        } else if (!runs.empty()) {
            for (const ColumnRun& run : runs)
                fillPixels(d + run.start, run.length, s[run.column]);
        } else {
            for (int i = 0; i < width; ++i)
                d[i] = s[map[i]];
        }
        previousRow = sy;
        previousOut = d;
    }
}

namespace {

// Tiles the area from registers (see tileRowsFromRegisters) where the processor can and
// the tile's period, its width rounded up to a whole number of groups of eight, is at
// most 64 pixels. Returns false, drawing nothing, otherwise.
bool tileFromRegisters(const ConstRows& src, const QRect& piece, int phaseX, int phaseY, uint32_t* topRow,
                       qsizetype stride, int width, int height)
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool wide = __builtin_cpu_supports("avx2");
    const int tw = piece.width(), th = piece.height();
    int period = tw;
    while (period % 8 != 0 && period <= 64)
        period += tw;
    if (!wide || period > 64 || width < 16 || std::size_t(th) * std::size_t(period) > (1u << 16))
        return false;
    std::vector<uint32_t> patterns(std::size_t(th) * 2 * std::size_t(period));
    for (int j = 0; j < std::min(th, height); ++j) {
        const int r = (phaseY + j) % th;
        const uint32_t* s = src.row(piece.top() + r) + piece.left();
        uint32_t* pattern = patterns.data() + std::size_t(r) * 2 * std::size_t(period);
        for (int i = 0, column = phaseX; i < 2 * period; ++i, column = column + 1 == tw ? 0 : column + 1)
            pattern[i] = s[column];
    }
    const uint32_t* p = patterns.data();
    switch (period / 8) {
    case 1: tileRowsFromRegisters<1>(p, th, phaseY, topRow, stride, width, height); break;
    case 2: tileRowsFromRegisters<2>(p, th, phaseY, topRow, stride, width, height); break;
    case 3: tileRowsFromRegisters<3>(p, th, phaseY, topRow, stride, width, height); break;
    case 4: tileRowsFromRegisters<4>(p, th, phaseY, topRow, stride, width, height); break;
    case 5: tileRowsFromRegisters<5>(p, th, phaseY, topRow, stride, width, height); break;
    case 6: tileRowsFromRegisters<6>(p, th, phaseY, topRow, stride, width, height); break;
    case 7: tileRowsFromRegisters<7>(p, th, phaseY, topRow, stride, width, height); break;
    default: tileRowsFromRegisters<8>(p, th, phaseY, topRow, stride, width, height); break;
    }
    return true;
#else
    return false;
#endif
}

}  // namespace

void tile(const QImage& source, const QRect& tileRect, QImage& dest, const QRect& area)
{
    if (!usable(source) || !usable(dest))
        return;
    if (tileRect.width() <= 0 || tileRect.height() <= 0 || area.width() <= 0 || area.height() <= 0)
        return;
    // A tile reaching outside its image is cut to the part that exists.
    const QRect piece = tileRect.intersected(source.rect());
    if (piece.isEmpty())
        return;
    const QPoint anchor = area.topLeft() + (piece.topLeft() - tileRect.topLeft());
    const QRect covered(anchor.x(), anchor.y(), area.x() + area.width() - anchor.x(),
                        area.y() + area.height() - anchor.y());
    // Cut further than the area reaches, nothing is left (an inverted rectangle would
    // be turned the right way round by the intersection, and read before the tile).
    if (covered.width() <= 0 || covered.height() <= 0)
        return;
    const QRect target = covered.intersected(dest.rect());
    if (target.isEmpty())
        return;

    const ConstRows src(source);
    const Rows dst(dest);
    const int tw = piece.width(), th = piece.height();
    const int width = target.width();
    // Phase of the first target column and row within the tile.
    const int phaseX = (target.left() - anchor.x()) % tw;
    const int phaseY = (target.top() - anchor.y()) % th;

    uint32_t* const topRow = dst.row(target.top()) + target.left();
    const int height = target.height();
    if (tileFromRegisters(src, piece, phaseX, phaseY, topRow, dst.stride, width, height))
        return;
    const int bandRows = std::min(th, height);
    for (int j = 0; j < bandRows; ++j) {
        uint32_t* d = topRow + dst.stride * j;
        const uint32_t* s = src.row(piece.top() + (phaseY + j) % th) + piece.left();
        // One period of the row from the tile (its end, then its start); the row repeats
        // with that period, so the rest is copied from itself in doubling runs.
        const int first = std::min(tw - phaseX, width);
        copyPixels(d, s + phaseX, first);
        int done = std::min(tw, width);
        if (done > first)
            copyPixels(d + first, s, done - first);
        while (done < width) {
            const int run = std::min(done, width - done);
            copyPixels(d + done, d, run);
            done += run;
        }
        // Every th-th row further down is this one again: copied now, while the row is
        // still in the nearest cache, the rest costs hardly more than writing it.
        for (int y = j + th; y < height; y += th)
            copyPixels(topRow + dst.stride * y, d, width);
    }
}

void fill(QImage& dest, const QRect& area, uint32_t colour)
{
    if (!usable(dest))
        return;
    const QRect target = area.intersected(dest.rect());
    if (target.isEmpty())
        return;
    const Rows dst(dest);
    uint32_t* d = dst.row(target.top()) + target.left();
    const int width = target.width();
    int height = target.height();
    // A tile of one pixel, where it can go out from a register.
    if (tileFromRegisters(ConstRows(&colour, 1, 1, 1), QRect(0, 0, 1, 1), 0, 0, d, dst.stride, width, height))
        return;
    // Else the first row pixel by pixel, every further one as a copy of it.
    fillPixels(d, width, colour);
    const uint32_t* first = d;
    while (--height > 0) {
        d += dst.stride;
        copyPixels(d, first, width);
    }
}

}  // namespace blit
}  // namespace sw
