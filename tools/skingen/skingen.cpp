// skingen: draws every bitmap of the sample engine folder (data/skins).
//
// Usage: skingen OUTDIR [TEMPLATEDIR]
//
// OUTDIR is the skins root; the pictures land in OUTDIR/<personality>/. The
// template pictures (data/template) land in TEMPLATEDIR when it is given.
// Everything is drawn pixel by pixel with integer arithmetic, without fonts
// or anti-aliasing, so the output is byte-for-byte the same on every machine.
// Magenta (255, 0, 255) marks the parts of a picture that the engine treats as
// see-through. Files are written as 24-bit BMP.

#include "artwork.h"
#include <string_view>

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb Magenta{255, 0, 255};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Black{0, 0, 0};

int clampByte(int v) { return std::clamp(v, 0, 255); }

// Mixes a towards b; t runs from 0 (all a) to 256 (all b).
Rgb mix(Rgb a, Rgb b, int t)
{
    return {a.r + (b.r - a.r) * t / 256, a.g + (b.g - a.g) * t / 256, a.b + (b.b - a.b) * t / 256};
}

Rgb shade(Rgb c, int delta)
{
    return {clampByte(c.r + delta), clampByte(c.g + delta), clampByte(c.b + delta)};
}

// Colour of row i of n in a vertical gradient from top to bottom.
Rgb ramp(Rgb top, Rgb bottom, int i, int n)
{
    return n <= 1 ? top : mix(top, bottom, i * 256 / (n - 1));
}

// A picture with pixel access that clips everything drawn outside it.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = Magenta)
        : image_(width, height, QImage::Format_RGB32)
    {
        image_.fill(qRgb(fill.r, fill.g, fill.b));
    }

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    void set(int x, int y, Rgb c)
    {
        if (x < 0 || y < 0 || x >= width() || y >= height())
            return;
        reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = qRgb(c.r, c.g, c.b);
    }

    Rgb get(int x, int y) const
    {
        const QRgb p = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
        return {qRed(p), qGreen(p), qBlue(p)};
    }

    void fill(int x, int y, int w, int h, Rgb c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                set(i, j, c);
    }

    void hline(int x, int y, int w, Rgb c) { fill(x, y, w, 1, c); }
    void vline(int x, int y, int h, Rgb c) { fill(x, y, 1, h, c); }

    void verticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom)
    {
        for (int j = 0; j < h; ++j)
            hline(x, y + j, w, ramp(top, bottom, j, h));
    }

    void horizontalGradient(int x, int y, int w, int h, Rgb left, Rgb right)
    {
        for (int i = 0; i < w; ++i)
            vline(x + i, y, h, ramp(left, right, i, w));
    }

    // Copies a w x h block of src at (sx, sy) to (dx, dy).
    void blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy)
    {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                set(dx + i, dy + j, src.get(sx + i, sy + j));
    }

    // Replaces every pixel outside the rounded rectangle (x, y, w, h) with magenta.
    void cutRoundedCorners(int x, int y, int w, int h, int radius, bool top = true, bool bottom = true);

    bool save(const QString& path) const
    {
        return image_.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    }

private:
    QImage image_;
};

// Whether pixel (px, py) of a w x h box lies outside its rounded corners.
// Pixel centres are compared with circles of the given radius, so a radius of
// r removes a quarter disc of about r * r / 4 pixels in each corner.
bool outsideCorner(int px, int py, int w, int h, int radius, bool top, bool bottom)
{
    if (radius <= 0)
        return false;
    const bool left = px < radius, right = px >= w - radius;
    const bool upper = py < radius, lower = py >= h - radius;
    if (!((left || right) && ((upper && top) || (lower && bottom))))
        return false;
    // Doubled coordinates keep the circle test in integers.
    const int cx = left ? 2 * radius : 2 * (w - radius);
    const int cy = upper ? 2 * radius : 2 * (h - radius);
    const int dx = 2 * px + 1 - cx, dy = 2 * py + 1 - cy;
    return dx * dx + dy * dy > 4 * radius * radius;
}

void Canvas::cutRoundedCorners(int x, int y, int w, int h, int radius, bool top, bool bottom)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (outsideCorner(i, j, w, h, radius, top, bottom))
                set(x + i, y + j, Magenta);
}

// Outlines the rounded rectangle: every inside pixel with a neighbour outside it.
void outlineRounded(Canvas& c, int x, int y, int w, int h, int radius, Rgb colour, bool top = true, bool bottom = true)
{
    auto inside = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < w && j < h && !outsideCorner(i, j, w, h, radius, top, bottom);
    };
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (inside(i, j) && (!inside(i - 1, j) || !inside(i + 1, j) || !inside(i, j - 1) || !inside(i, j + 1)))
                c.set(x + i, y + j, colour);
}

// ---------------------------------------------------------------- glyphs
// Small pixel masks: '#' marks a glyph pixel.
using Glyph = std::vector<std::string>;

const Glyph GlyphClose = {
    "##...##",
    "###.###",
    ".#####.",
    "..###..",
    ".#####.",
    "###.###",
    "##...##",
};
const Glyph GlyphMaximise = {
    "########",
    "########",
    "#......#",
    "#......#",
    "#......#",
    "#......#",
    "########",
};
const Glyph GlyphMinimise = {
    "#######",
    "#######",
};
const Glyph GlyphRollUp = {
    "...#...",
    "..###..",
    ".##.##.",
    "##...##",
};
const Glyph GlyphOnTop = {
    "#######",
    ".......",
    "...#...",
    "..###..",
    ".#####.",
    "...#...",
    "...#...",
};
const Glyph GlyphHelp = {
    ".####.",
    "##..##",
    "....##",
    "...##.",
    "..##..",
    "..##..",
    "......",
    "..##..",
};
const Glyph GlyphArrowLeft = {
    "...#",
    "..##",
    ".###",
    "####",
    ".###",
    "..##",
    "...#",
};
const Glyph GlyphArrowUp = {
    "...#...",
    "..###..",
    ".#####.",
    "#######",
};
const Glyph GlyphCheck = {
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
};
const Glyph GlyphRadioDot = {
    ".###.",
    "#####",
    "#####",
    "#####",
    ".###.",
};

int glyphWidth(const Glyph& g) { return g.empty() ? 0 : static_cast<int>(g.front().size()); }
int glyphHeight(const Glyph& g) { return static_cast<int>(g.size()); }

Glyph mirrored(const Glyph& g)
{
    Glyph out = g;
    for (auto& row : out)
        std::reverse(row.begin(), row.end());
    return out;
}

Glyph flipped(const Glyph& g) { return Glyph(g.rbegin(), g.rend()); }

void drawGlyph(Canvas& c, const Glyph& g, int x, int y, Rgb colour)
{
    for (int j = 0; j < glyphHeight(g); ++j)
        for (int i = 0; i < glyphWidth(g); ++i)
            if (g[j][i] == '#')
                c.set(x + i, y + j, colour);
}

// Draws the glyph centred in the box, with an optional one-pixel shadow below right.
void drawGlyphCentred(Canvas& c, const Glyph& g, int bx, int by, int bw, int bh, Rgb colour,
                      const Rgb* shadow = nullptr, int dx = 0, int dy = 0)
{
    const int x = bx + (bw - glyphWidth(g)) / 2 + dx;
    const int y = by + (bh - glyphHeight(g)) / 2 + dy;
    if (shadow)
        drawGlyph(c, g, x + 1, y + 1, *shadow);
    drawGlyph(c, g, x, y, colour);
}

// Places the frames side by side in one strip.
Canvas sideBySide(const std::vector<Canvas>& frames)
{
    int w = 0;
    for (const auto& f : frames)
        w += f.width();
    Canvas out(w, frames.front().height());
    int x = 0;
    for (const auto& f : frames) {
        out.blit(f, 0, 0, f.width(), f.height(), x, 0);
        x += f.width();
    }
    return out;
}

// Places the frames one under another.
Canvas stacked(const std::vector<Canvas>& frames)
{
    int h = 0;
    for (const auto& f : frames)
        h += f.height();
    Canvas out(frames.front().width(), h);
    int y = 0;
    for (const auto& f : frames) {
        out.blit(f, 0, 0, f.width(), f.height(), 0, y);
        y += f.height();
    }
    return out;
}

Canvas crop(const Canvas& src, int x, int y, int w, int h)
{
    Canvas out(w, h);
    out.blit(src, x, y, w, h, 0, 0);
    return out;
}

// ---------------------------------------------------------------- output
class Writer {
public:
    explicit Writer(QString root) : root_(std::move(root)) {}
    // Sends every picture into one folder under root, its name prefixed: how the
    // template folder borrows the drawing of a sample personality.
    Writer(QString root, QString folder, QString prefix)
        : root_(std::move(root)), folder_(std::move(folder)), prefix_(std::move(prefix))
    {
    }

    void write(const QString& personalityFolder, const QString& fileName, const Canvas& c)
    {
        const QString personality = folder_.isEmpty() ? personalityFolder : folder_;
        const QString file = prefix_ + fileName;
        QDir dir(root_);
        if (!dir.mkpath(personality)) {
            std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(dir.filePath(personality)));
            failed_ = true;
            return;
        }
        const QString path = dir.filePath(personality + QLatin1Char('/') + file);
        if (!c.save(path)) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
            failed_ = true;
            return;
        }
        ++count_;
    }

    bool failed() const { return failed_; }
    int count() const { return count_; }

    void add(const Writer& other)
    {
        count_ += other.count_;
        failed_ = failed_ || other.failed_;
    }

private:
    QString root_;
    QString folder_, prefix_;
    bool failed_ = false;
    int count_ = 0;
};

// ---------------------------------------------------------------- window frames
// A frame is first drawn as one small complete window; the border pictures are
// then cut out of it. Its middle stretches are drawn uniform so that the engine
// may stretch or tile them without seams.
struct FrameLook {
    Rgb outline;      // outermost line
    Rgb light;        // raised edge
    Rgb body;         // side border face
    Rgb bodyDark;     // inner shadow of the side borders
    Rgb inner;        // line between frame and client area
    Rgb titleTop, titleBottom;
    Rgb accent;       // line along the lower edge of the title bar
    Rgb statusTop, statusBottom;
};

struct Slot {
    int x = 0, y = 0, w = 0, h = 0;  // negative x counts from the right edge
};

struct FrameShape {
    int width = 0, height = 0;     // the small window
    int left = 0, right = 0;       // side border widths
    int top = 0, bottom = 0;       // title and bottom border heights
    int topRadius = 0, bottomRadius = 0;
    std::vector<Slot> recesses;    // sunken panels behind buttons
};

void drawRecess(Canvas& c, int x, int y, int w, int h, Rgb base)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (!outsideCorner(i, j, w, h, 3, true, true))
                c.set(x + i, y + j, mix(c.get(x + i, y + j), Black, 40));
    outlineRounded(c, x, y, w, h, 3, shade(base, -34));
    // lower right rim catches the light
    for (int i = 3; i < w - 3; ++i)
        c.set(x + i, y + h - 1, mix(base, White, 70));
    for (int j = 3; j < h - 3; ++j)
        c.set(x + w - 1, y + j, mix(base, White, 70));
}

Canvas renderFrame(const FrameShape& s, const FrameLook& k)
{
    Canvas c(s.width, s.height, k.body);
    const int W = s.width, H = s.height;

    // title bar across the whole width
    c.verticalGradient(0, 0, W, s.top, k.titleTop, k.titleBottom);
    c.hline(0, 1, W, mix(k.titleTop, White, 110));
    c.hline(0, s.top - 2, W, k.accent);
    c.hline(0, s.top - 1, W, k.inner);

    // side borders below the title bar
    const int sideTop = s.top, sideH = H - s.top - s.bottom;
    for (int side = 0; side < 2; ++side) {
        const int bw = side == 0 ? s.left : s.right;
        const int x0 = side == 0 ? 0 : W - bw;
        c.fill(x0, sideTop, bw, sideH, k.body);
        // columns from the outside in: outline, light, body ..., dark, inner
        const int outer = side == 0 ? x0 : W - 1;
        const int step = side == 0 ? 1 : -1;
        c.vline(outer + step, sideTop, sideH, k.light);
        c.vline(outer + step * (bw - 2), sideTop, sideH, k.bodyDark);
        c.vline(outer + step * (bw - 1), sideTop, sideH, k.inner);
    }

    // bottom border
    const int by = H - s.bottom;
    if (s.bottom > 4)
        c.verticalGradient(0, by, W, s.bottom, k.statusTop, k.statusBottom);
    else
        c.fill(0, by, W, s.bottom, k.body);
    c.hline(s.left - 1, by, W - s.left - s.right + 2, k.inner);
    c.hline(0, by + 1, W, k.accent);
    c.hline(0, H - 2, W, k.bodyDark);

    // raised rim on the title bar sides
    c.vline(1, 1, s.top - 2, mix(k.titleTop, White, 90));
    c.vline(W - 2, 1, s.top - 2, shade(k.titleBottom, -12));

    for (const Slot& r : s.recesses) {
        const int x = r.x < 0 ? W + r.x : r.x;
        const int y = r.y < 0 ? H + r.y : r.y;
        drawRecess(c, x, y, r.w, r.h, c.get(x + r.w / 2, y + r.h / 2));
    }

    // outer outline and the see-through corners
    c.cutRoundedCorners(0, 0, W, H, s.topRadius, true, false);
    c.cutRoundedCorners(0, 0, W, H, s.bottomRadius, false, true);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (c.get(x, y) == Magenta)
                continue;
            const bool edge = x == 0 || y == 0 || x == W - 1 || y == H - 1 || c.get(x - 1, y) == Magenta
                || c.get(x + 1, y) == Magenta || c.get(x, y - 1) == Magenta || c.get(x, y + 1) == Magenta;
            if (edge)
                c.set(x, y, k.outline);
        }
    return c;
}

struct FramePictures {
    Canvas left, right, top, bottom;
};

// Cuts the four borders out of each frame: side borders side by side, top and
// bottom one under another, as the border attributes describe them.
FramePictures cutBorders(const FrameShape& s, const std::vector<Canvas>& frames)
{
    std::vector<Canvas> l, r, t, b;
    for (const Canvas& f : frames) {
        l.push_back(crop(f, 0, 0, s.left, s.height));
        r.push_back(crop(f, s.width - s.right, 0, s.right, s.height));
        t.push_back(crop(f, s.left, 0, s.width - s.left - s.right, s.top));
        b.push_back(crop(f, s.left, s.height - s.bottom, s.width - s.left - s.right, s.bottom));
    }
    return {sideBySide(l), sideBySide(r), stacked(t), stacked(b)};
}

// ---------------------------------------------------------------- Tidewater (version 2)
namespace tidewater {

const QString Folder = QStringLiteral("Tidewater");

// Sizes shared with Tidewater.uis.
constexpr int SideWidth = 6, TitleHeight = 26, BottomHeight = 20;
constexpr int TopLeftEnd = 24, TopMiddle = 16, TopRightEnd = 132;
constexpr int BottomLeftEnd = 56, BottomRightEnd = 66;
constexpr int SideTopEnd = 26, SideMiddle = 8, SideBottomEnd = 20;
constexpr int Frames = 5;  // four glow steps of the active look, then the inactive look
constexpr int ButtonW = 18, ButtonH = 16;

FrameShape shape()
{
    FrameShape s;
    s.left = s.right = SideWidth;
    s.top = TitleHeight;
    s.bottom = BottomHeight;
    s.width = SideWidth * 2 + TopLeftEnd + TopMiddle + TopRightEnd;
    s.height = SideTopEnd + SideMiddle + SideBottomEnd;
    s.topRadius = 7;
    s.bottomRadius = 3;
    // tray behind the six title-bar buttons (offsets 24 to 128 from the right edge)
    s.recesses.push_back({-130, 3, 126, 20});
    // slots behind the text button (left 10, width 44) and the clock (right 66, width 56)
    s.recesses.push_back({8, -18, 48, 16});
    s.recesses.push_back({-68, -18, 60, 16});
    return s;
}

FrameLook look(int frame)
{
    if (frame == Frames) {  // inactive
        return {{92, 102, 116}, {206, 212, 220}, {168, 176, 188}, {140, 148, 160}, {112, 120, 134},
                {186, 194, 206}, {150, 160, 174}, {170, 178, 190}, {176, 184, 196}, {150, 158, 170}};
    }
    // frames 1 to 4: the accent line and the raised edge breathe gently
    static const int glow[] = {0, 40, 80, 40};
    const int g = glow[frame - 1];
    return {{20, 34, 56},
            mix({120, 156, 200}, {176, 210, 246}, g),
            {70, 104, 148},
            {50, 80, 120},
            {26, 44, 72},
            {98, 136, 184},
            {46, 78, 124},
            mix({92, 150, 214}, {170, 226, 255}, g * 2),
            {72, 106, 150},
            {42, 70, 108}};
}

Rgb titleAt(int frame, int row)
{
    const FrameLook k = look(frame);
    return ramp(k.titleTop, k.titleBottom, row, TitleHeight);
}

void frame(Writer& out)
{
    const FrameShape s = shape();
    std::vector<Canvas> frames;
    for (int f = 1; f <= Frames; ++f)
        frames.push_back(renderFrame(s, look(f)));
    const FramePictures p = cutBorders(s, frames);
    out.write(Folder, "left.bmp", p.left);
    out.write(Folder, "right.bmp", p.right);
    out.write(Folder, "top.bmp", p.top);
    out.write(Folder, "bottom.bmp", p.bottom);
}

// Rounded plate behind the caption text: active look above the inactive look.
void captionBackground(Writer& out)
{
    constexpr int W = 28;  // 8 left end + 8 middle + 12 right end
    std::vector<Canvas> frames;
    for (int f : {1, Frames}) {
        Canvas c(W, TitleHeight);
        constexpr int y0 = 4, h = 18;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < W; ++i) {
                if (outsideCorner(i, j, W, h, 8, true, true))
                    continue;
                c.set(i, y0 + j, mix(titleAt(f, y0 + j), White, f == 1 ? 44 : 36));
            }
        outlineRounded(c, 0, y0, W, h, 8, mix(titleAt(f, y0), Black, 60));
        for (int i = 6; i < W - 6; ++i)
            c.set(i, y0 + h - 1, mix(titleAt(f, y0 + h - 1), White, 96));
        frames.push_back(c);
    }
    out.write(Folder, "captionback.bmp", stacked(frames));
}

void menuBar(Writer& out)
{
    constexpr int W = 16, H = 20;  // 4 left end + 8 middle + 4 right end
    std::vector<Canvas> frames;
    for (bool active : {true, false}) {
        Canvas c(W, H);
        const Rgb top = active ? Rgb{244, 247, 251} : Rgb{234, 236, 239};
        const Rgb bottom = active ? Rgb{214, 223, 235} : Rgb{212, 216, 222};
        c.verticalGradient(0, 0, W, H, top, bottom);
        c.hline(0, 0, W, White);
        c.hline(0, H - 1, W, active ? Rgb{160, 178, 202} : Rgb{176, 182, 190});
        c.vline(0, 1, H - 2, mix(top, bottom, 128));
        frames.push_back(c);
    }
    out.write(Folder, "menubar.bmp", stacked(frames));
}

void dialogBackground(Writer& out)
{
    Canvas c(32, 32, {232, 237, 243});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if ((x + y) % 8 == 0)
                c.set(x, y, {238, 242, 247});
    out.write(Folder, "dialog.bmp", c);
}

// Push button look: face gradient, border and an inner ring.
struct ButtonLook {
    Rgb faceTop, faceBottom, border, ring;
    bool hasRing = false;
};

Canvas pushButton(const ButtonLook& k)
{
    constexpr int W = 70, H = 25;
    Canvas c(W, H);
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i)
            if (!outsideCorner(i, j, W, H, 3, true, true))
                c.set(i, j, ramp(k.faceTop, k.faceBottom, j, H));
    c.hline(3, 1, W - 6, mix(k.faceTop, White, 160));
    if (k.hasRing)
        outlineRounded(c, 1, 1, W - 2, H - 2, 2, k.ring);
    outlineRounded(c, 0, 0, W, H, 3, k.border);
    return c;
}

void pushButtons(Writer& out)
{
    const std::vector<ButtonLook> looks = {
        {{250, 252, 255}, {212, 222, 235}, {104, 124, 152}, {}, false},          // normal
        {{192, 205, 222}, {226, 233, 242}, {74, 94, 124}, {}, false},            // pressed
        {{232, 235, 240}, {222, 226, 232}, {170, 178, 190}, {}, false},          // disabled
        {{250, 252, 255}, {212, 222, 235}, {46, 88, 150}, {124, 164, 216}, true},  // focused
        {{255, 255, 255}, {222, 234, 249}, {84, 124, 184}, {}, false},           // hot
    };
    std::vector<Canvas> frames;
    for (const auto& k : looks)
        frames.push_back(pushButton(k));
    out.write(Folder, "button.bmp", sideBySide(frames));
}

Canvas box(bool round, bool marked, bool enabled)
{
    constexpr int S = 13;
    Canvas c(S, S);
    const Rgb border = enabled ? Rgb{96, 118, 148} : Rgb{168, 176, 188};
    const Rgb top = enabled ? White : Rgb{238, 240, 243};
    const Rgb bottom = enabled ? Rgb{222, 230, 241} : Rgb{232, 234, 238};
    const Rgb mark = enabled ? Rgb{30, 64, 114} : Rgb{150, 158, 170};
    const int radius = round ? 6 : 0;
    for (int j = 0; j < S; ++j)
        for (int i = 0; i < S; ++i)
            if (!outsideCorner(i, j, S, S, radius, true, true))
                c.set(i, j, ramp(top, bottom, j, S));
    outlineRounded(c, 0, 0, S, S, radius, border);
    if (marked) {
        const Glyph& g = round ? GlyphRadioDot : GlyphCheck;
        drawGlyphCentred(c, g, 0, 0, S, S, mark);
    }
    return c;
}

void boxes(Writer& out)
{
    for (bool round : {false, true}) {
        std::vector<Canvas> frames;
        for (bool enabled : {true, false})
            for (bool marked : {false, true})
                frames.push_back(box(round, marked, enabled));
        out.write(Folder, round ? "radio.bmp" : "check.bmp", sideBySide(frames));
    }
}

void tabs(Writer& out)
{
    constexpr int W = 40, H = 20;
    struct TabLook {
        Rgb top, bottom, border, accent;
        bool selected;
    };
    const std::vector<TabLook> looks = {
        {{234, 239, 245}, {214, 223, 234}, {120, 140, 166}, {234, 239, 245}, false},  // normal
        {{255, 255, 255}, {244, 247, 251}, {104, 124, 152}, {62, 104, 158}, true},    // selected
        {{246, 249, 253}, {224, 233, 244}, {104, 130, 170}, {150, 186, 230}, false},  // hot
        {{232, 234, 238}, {226, 229, 233}, {176, 182, 192}, {232, 234, 238}, false},  // disabled
        {{255, 255, 255}, {244, 247, 251}, {70, 100, 140}, {40, 84, 146}, true},      // focused
    };
    std::vector<Canvas> frames;
    for (const auto& k : looks) {
        Canvas c(W, H);
        const int y0 = k.selected ? 0 : 2;  // unselected tabs stand lower
        for (int j = y0; j < H; ++j)
            for (int i = 0; i < W; ++i)
                if (!outsideCorner(i, j - y0, W, H - y0, 4, true, false))
                    c.set(i, j, ramp(k.top, k.bottom, j - y0, H - y0));
        outlineRounded(c, 0, y0, W, H - y0, 4, k.border, true, false);
        c.hline(2, y0 + 1, W - 4, k.accent);
        c.hline(1, y0 + 2, W - 2, mix(k.accent, k.top, 128));
        if (k.selected)
            c.hline(1, H - 1, W - 2, k.bottom);  // open towards its page
        else
            c.hline(0, H - 1, W, k.border);
        frames.push_back(c);
    }
    out.write(Folder, "tabs.bmp", sideBySide(frames));

    // page frame: three rings, the middle stays open
    Canvas f(16, 16);
    outlineRounded(f, 0, 0, 16, 16, 0, {120, 140, 166});
    outlineRounded(f, 1, 1, 14, 14, 0, White);
    outlineRounded(f, 2, 2, 12, 12, 0, {226, 232, 240});
    out.write(Folder, "tabframe.bmp", f);
}

void progress(Writer& out)
{
    constexpr int W = 40, H = 14;
    Canvas back(W, H);
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i)
            if (!outsideCorner(i, j, W, H, 3, true, true))
                back.set(i, j, ramp({226, 232, 240}, {250, 251, 253}, j, H));
    back.hline(2, 1, W - 4, {206, 214, 226});
    outlineRounded(back, 0, 0, W, H, 3, {120, 140, 166});

    Canvas done(W, H);
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i)
            if (!outsideCorner(i, j, W, H, 3, true, true))
                done.set(i, j, ramp({104, 160, 224}, {36, 84, 150}, j, H));
    done.hline(2, 1, W - 4, {170, 206, 244});
    done.hline(2, 2, W - 4, {132, 182, 236});
    outlineRounded(done, 0, 0, W, H, 3, {28, 58, 104});
    out.write(Folder, "progress.bmp", sideBySide({back, done}));
}

// ---- scroll bars
enum class State { Normal, Pressed, Hot, Disabled };

struct PartLook {
    Rgb top, bottom, border, glyph;
};

PartLook partLook(State s)
{
    switch (s) {
    case State::Normal: return {{248, 250, 253}, {214, 223, 235}, {120, 140, 166}, {40, 64, 98}};
    case State::Pressed: return {{196, 208, 224}, {226, 233, 242}, {84, 104, 134}, {20, 40, 70}};
    case State::Hot: return {{255, 255, 255}, {222, 234, 249}, {90, 128, 182}, {30, 70, 130}};
    case State::Disabled: return {{236, 238, 242}, {228, 231, 236}, {180, 186, 196}, {168, 174, 184}};
    }
    return {};
}

// A raised rounded plate; horizontal plates shade top to bottom, vertical ones left to right.
Canvas plate(int w, int h, const PartLook& k, bool vertical, int radius = 2)
{
    Canvas c(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (!outsideCorner(i, j, w, h, radius, true, true))
                c.set(i, j, vertical ? ramp(k.top, k.bottom, i, w) : ramp(k.top, k.bottom, j, h));
    outlineRounded(c, 0, 0, w, h, radius, k.border);
    return c;
}

// Three grooves across the middle of a thumb, on magenta so they can be laid over it.
Canvas grip(bool vertical, State s)
{
    constexpr int S = 16;
    Canvas c(S, S);
    const PartLook k = partLook(s);
    for (int n = -1; n <= 1; ++n) {
        const int p = S / 2 - 1 + 3 * n;
        if (vertical) {
            c.hline(5, p, 6, shade(k.border, -10));
            c.hline(5, p + 1, 6, White);
        } else {
            c.vline(p, 5, 6, shade(k.border, -10));
            c.vline(p + 1, 5, 6, White);
        }
    }
    return c;
}

void scrollBars(Writer& out)
{
    constexpr int S = 16;
    const State states[] = {State::Normal, State::Pressed, State::Hot, State::Disabled};
    const Glyph arrows[] = {GlyphArrowLeft, mirrored(GlyphArrowLeft), GlyphArrowUp, flipped(GlyphArrowUp)};

    std::vector<Canvas> frames;
    for (int a = 0; a < 4; ++a)
        for (State s : states) {
            const PartLook k = partLook(s);
            Canvas c = plate(S, S, k, a < 2, 3);
            const int shift = s == State::Pressed ? 1 : 0;
            drawGlyphCentred(c, arrows[a], 0, 0, S, S, k.glyph, nullptr, shift, shift);
            frames.push_back(c);
        }
    for (bool vertical : {false, true})
        for (State s : {State::Normal, State::Pressed, State::Hot})
            frames.push_back(grip(vertical, s));
    // size grip: dots falling towards the lower right corner on the track colour
    Canvas corner(S, S, {226, 232, 240});
    for (int d = 0; d < 3; ++d)
        for (int n = 0; n <= d; ++n) {
            const int x = S - 4 - 3 * (d - n), y = S - 4 - 3 * n;
            corner.fill(x, y, 2, 2, White);
            corner.set(x, y, {120, 140, 166});
        }
    frames.push_back(corner);
    out.write(Folder, "scrollarrows.bmp", sideBySide(frames));

    for (bool vertical : {false, true}) {
        std::vector<Canvas> track;
        for (State s : states) {
            const Rgb base = s == State::Pressed ? Rgb{204, 214, 228}
                           : s == State::Hot     ? Rgb{234, 240, 248}
                           : s == State::Disabled ? Rgb{236, 238, 241}
                                                  : Rgb{224, 230, 238};
            Canvas c(S, S, base);
            const Rgb rim = shade(base, -26);
            for (int n = 0; n < S; ++n) {
                if (vertical) {
                    c.set(0, n, rim);
                    c.set(1, n, shade(base, -10));
                    c.set(S - 1, n, rim);
                } else {
                    c.set(n, 0, rim);
                    c.set(n, 1, shade(base, -10));
                    c.set(n, S - 1, rim);
                }
            }
            track.push_back(c);
        }
        out.write(Folder, vertical ? "vtrack.bmp" : "htrack.bmp", sideBySide(track));

        std::vector<Canvas> thumb;
        for (State s : {State::Normal, State::Pressed, State::Hot}) {
            PartLook k = partLook(s);
            k.border = shade(k.border, -16);
            thumb.push_back(vertical ? plate(S, 24, k, true, 3) : plate(24, S, k, false, 3));
        }
        out.write(Folder, vertical ? "vthumb.bmp" : "hthumb.bmp", sideBySide(thumb));
    }
}

// ---- title-bar buttons: normal, pressed, hot for the active window, then the same inactive
struct TitleButtonLook {
    Rgb top, bottom, border, glyph, glyphShadow;
};

TitleButtonLook titleButtonLook(bool active, int state, bool danger)
{
    if (!active) {
        const int lift = state == 3 ? 14 : state == 2 ? -12 : 0;
        return {shade({196, 203, 213}, lift), shade({156, 165, 178}, lift), {112, 120, 134}, {246, 248, 250},
                {128, 136, 150}};
    }
    if (state == 3 && danger)
        return {{236, 124, 112}, {176, 48, 40}, {96, 22, 18}, White, {110, 24, 20}};
    if (state == 3)
        return {{156, 192, 236}, {78, 120, 174}, {22, 40, 70}, White, {30, 54, 90}};
    if (state == 2)
        return {{44, 74, 116}, {96, 130, 176}, {14, 26, 46}, {222, 234, 248}, {14, 26, 46}};
    return {{122, 158, 204}, {58, 92, 140}, {18, 32, 56}, White, {24, 44, 76}};
}

Canvas titleButton(const Glyph& g, bool danger, int glyphDy)
{
    std::vector<Canvas> frames;
    for (bool active : {true, false})
        for (int state = 1; state <= 3; ++state) {
            const TitleButtonLook k = titleButtonLook(active, state, danger);
            Canvas c(ButtonW, ButtonH);
            for (int j = 0; j < ButtonH; ++j)
                for (int i = 0; i < ButtonW; ++i)
                    if (!outsideCorner(i, j, ButtonW, ButtonH, 3, true, true))
                        c.set(i, j, ramp(k.top, k.bottom, j, ButtonH));
            c.hline(3, 1, ButtonW - 6, mix(k.top, White, 100));
            outlineRounded(c, 0, 0, ButtonW, ButtonH, 3, k.border);
            const int press = state == 2 ? 1 : 0;
            drawGlyphCentred(c, g, 0, 0, ButtonW, ButtonH, k.glyph, &k.glyphShadow, press, press + glyphDy);
            frames.push_back(c);
        }
    return sideBySide(frames);
}

void titleButtons(Writer& out)
{
    out.write(Folder, "close.bmp", titleButton(GlyphClose, true, 0));
    out.write(Folder, "maximise.bmp", titleButton(GlyphMaximise, false, 0));
    out.write(Folder, "minimise.bmp", titleButton(GlyphMinimise, false, 3));
    out.write(Folder, "rollup.bmp", titleButton(GlyphRollUp, false, 0));
    out.write(Folder, "ontop.bmp", titleButton(GlyphOnTop, false, 0));
    out.write(Folder, "help.bmp", titleButton(GlyphHelp, false, 0));
}

void all(Writer& out)
{
    frame(out);
    captionBackground(out);
    menuBar(out);
    dialogBackground(out);
    pushButtons(out);
    boxes(out);
    tabs(out);
    progress(out);
    scrollBars(out);
    titleButtons(out);
}

}  // namespace tidewater

// ---------------------------------------------------------------- Slate (version 1+)
namespace slate {

const QString Folder = QStringLiteral("Slate");

// Sizes shared with Slate.uis: two frames (active, inactive); the bottom border
// is 4 rows high, as the version 1+ layout demands.
constexpr int Side = 4, Title = 22, Bottom = 4;
constexpr int TopLeftEnd = 20, TopMiddle = 8, TopRightEnd = 20;
constexpr int SideMiddle = 6;

FrameLook look(bool active)
{
    if (active)
        return {{34, 38, 46}, {150, 158, 170}, {96, 104, 116}, {72, 78, 90}, {44, 48, 56},
                {112, 120, 134}, {64, 70, 82}, {140, 150, 166}, {96, 104, 116}, {80, 86, 98}};
    return {{110, 114, 122}, {214, 217, 222}, {176, 180, 187}, {152, 156, 164}, {126, 130, 138},
            {190, 194, 200}, {156, 160, 168}, {178, 182, 190}, {176, 180, 187}, {160, 164, 172}};
}

void frame(Writer& out)
{
    FrameShape s;
    s.left = s.right = Side;
    s.top = Title;
    s.bottom = Bottom;
    s.width = 2 * Side + TopLeftEnd + TopMiddle + TopRightEnd;
    s.height = Title + SideMiddle + Bottom;
    s.topRadius = 3;
    std::vector<Canvas> frames = {renderFrame(s, look(true)), renderFrame(s, look(false))};
    const FramePictures p = cutBorders(s, frames);

    // Side borders share one picture: left frames in the left half, right frames in the right half.
    out.write(Folder, "vframe.bmp", sideBySide({p.left, p.right}));
    // Top and bottom share the other: bottom frames (4 rows each) first, then the top frames.
    out.write(Folder, "hframe.bmp", stacked({p.bottom, p.top}));
}

Canvas titleButton(const Glyph& g, int glyphDy)
{
    constexpr int W = 16, H = 14;
    std::vector<Canvas> frames;
    for (int state = 1; state <= 3; ++state) {
        const Rgb top = state == 2 ? Rgb{70, 76, 88} : state == 3 ? Rgb{168, 176, 190} : Rgb{136, 144, 158};
        const Rgb bottom = state == 2 ? Rgb{116, 124, 138} : state == 3 ? Rgb{104, 112, 126} : Rgb{84, 92, 106};
        Canvas c(W, H);
        for (int j = 0; j < H; ++j)
            for (int i = 0; i < W; ++i)
                if (!outsideCorner(i, j, W, H, 2, true, true))
                    c.set(i, j, ramp(top, bottom, j, H));
        outlineRounded(c, 0, 0, W, H, 2, {30, 34, 42});
        const Rgb shadow{40, 44, 52};
        const int press = state == 2 ? 1 : 0;
        drawGlyphCentred(c, g, 0, 0, W, H, {240, 242, 246}, &shadow, press, press + glyphDy);
        frames.push_back(c);
    }
    return sideBySide(frames);
}

void controls(Writer& out)
{
    std::vector<Canvas> frames;
    const Rgb faces[][2] = {{{242, 243, 245}, {204, 208, 214}}, {{186, 190, 198}, {220, 223, 228}},
                            {{230, 231, 233}, {224, 225, 228}}, {{242, 243, 245}, {204, 208, 214}},
                            {{250, 251, 252}, {214, 218, 224}}};
    const Rgb borders[] = {{96, 102, 112}, {70, 76, 86}, {170, 174, 180}, {40, 44, 52}, {110, 118, 130}};
    for (int f = 0; f < 5; ++f) {
        Canvas c(70, 25);
        c.verticalGradient(0, 0, 70, 25, faces[f][0], faces[f][1]);
        outlineRounded(c, 0, 0, 70, 25, 0, borders[f]);
        if (f == 3)
            outlineRounded(c, 1, 1, 68, 23, 0, {150, 156, 166});
        frames.push_back(c);
    }
    out.write(Folder, "button.bmp", sideBySide(frames));

    for (bool round : {false, true}) {
        std::vector<Canvas> boxes;
        for (bool enabled : {true, false})
            for (bool marked : {false, true}) {
                Canvas c(13, 13);
                const int radius = round ? 6 : 0;
                for (int j = 0; j < 13; ++j)
                    for (int i = 0; i < 13; ++i)
                        if (!outsideCorner(i, j, 13, 13, radius, true, true))
                            c.set(i, j, enabled ? White : Rgb{232, 233, 235});
                outlineRounded(c, 0, 0, 13, 13, radius, enabled ? Rgb{80, 86, 98} : Rgb{170, 174, 180});
                if (marked)
                    drawGlyphCentred(c, round ? GlyphRadioDot : GlyphCheck, 0, 0, 13, 13,
                                     enabled ? Rgb{40, 44, 52} : Rgb{160, 164, 170});
                boxes.push_back(c);
            }
        out.write(Folder, round ? "radio.bmp" : "check.bmp", sideBySide(boxes));
    }
}

void all(Writer& out)
{
    frame(out);
    out.write(Folder, "close.bmp", titleButton(GlyphClose, 0));
    out.write(Folder, "maximise.bmp", titleButton(GlyphMaximise, 0));
    out.write(Folder, "minimise.bmp", titleButton(GlyphMinimise, 3));
    controls(out);
}

}  // namespace slate

// ---------------------------------------------------------------- Parchment (version 1)
namespace parchment {

const QString Folder = QStringLiteral("Parchment");

void all(Writer& out)
{
    // title bar pictures: 12 fixed on the left, 60 middle, 24 fixed on the right
    for (bool active : {true, false}) {
        constexpr int W = 96, H = 20;
        Canvas c(W, H);
        const Rgb top = active ? Rgb{236, 218, 178} : Rgb{226, 220, 206};
        const Rgb bottom = active ? Rgb{196, 164, 112} : Rgb{196, 188, 172};
        const Rgb ink = active ? Rgb{92, 60, 28} : Rgb{140, 128, 110};
        c.verticalGradient(0, 0, W, H, top, bottom);
        c.hline(0, 1, W, mix(top, White, 120));
        c.hline(0, H - 1, W, ink);
        // a small seal on the fixed left end
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 8; ++i)
                if (!outsideCorner(i, j, 8, 8, 4, true, true))
                    c.set(2 + i, 6 + j, active ? Rgb{150, 40, 32} : Rgb{160, 150, 140});
        c.cutRoundedCorners(0, 0, W, H, 4, true, false);
        outlineRounded(c, 0, 0, W, H, 4, ink, true, false);
        out.write(Folder, active ? "title_on.bmp" : "title_off.bmp", c);
    }
    for (bool active : {true, false}) {
        Canvas c(4, 4, active ? Rgb{200, 170, 120} : Rgb{200, 192, 176});
        c.vline(0, 0, 4, active ? Rgb{92, 60, 28} : Rgb{140, 128, 110});
        c.vline(1, 0, 4, active ? Rgb{236, 218, 178} : Rgb{226, 220, 206});
        out.write(Folder, active ? "frame_on.bmp" : "frame_off.bmp", c);
    }
    // buttons: normal, pressed, hot side by side
    const Glyph restore = {
        "..#####",
        "..#...#",
        "#####.#",
        "#...###",
        "#...#..",
        "#####..",
    };
    const std::pair<const char*, const Glyph*> buttons[] = {
        {"close.bmp", &GlyphClose}, {"maximise.bmp", &GlyphMaximise},
        {"restore.bmp", &restore}, {"minimise.bmp", &GlyphMinimise}};
    for (const auto& [file, glyph] : buttons) {
        std::vector<Canvas> frames;
        for (int state = 1; state <= 3; ++state) {
            constexpr int W = 16, H = 14;
            Canvas c(W, H);
            const Rgb top = state == 2 ? Rgb{190, 156, 104} : state == 3 ? Rgb{250, 236, 204} : Rgb{238, 222, 186};
            const Rgb bottom = state == 2 ? Rgb{228, 206, 164} : Rgb{204, 174, 124};
            for (int j = 0; j < H; ++j)
                for (int i = 0; i < W; ++i)
                    if (!outsideCorner(i, j, W, H, 2, true, true))
                        c.set(i, j, ramp(top, bottom, j, H));
            outlineRounded(c, 0, 0, W, H, 2, {92, 60, 28});
            const int press = state == 2 ? 1 : 0;
            const int dy = glyph == &GlyphMinimise ? 3 : 0;
            drawGlyphCentred(c, *glyph, 0, 0, W, H, {92, 60, 28}, nullptr, press, press + dy);
            frames.push_back(c);
        }
        out.write(Folder, file, sideBySide(frames));
    }
}

}  // namespace parchment

// ---------------------------------------------------------------- Misnamed (version 2, file name differs from folder)
namespace misnamed {

const QString Folder = QStringLiteral("Misnamed");

void all(Writer& out)
{
    FrameShape s;
    s.left = s.right = 4;
    s.top = 22;
    s.bottom = 4;
    s.width = 8 + 16 + 16 + 16;
    s.height = 22 + 8 + 4;
    s.topRadius = 5;
    const FrameLook k{{18, 54, 58}, {120, 190, 190}, {50, 120, 124}, {34, 90, 94}, {20, 60, 64},
                      {70, 150, 152}, {30, 96, 100}, {110, 200, 196}, {50, 120, 124}, {40, 100, 104}};
    const FramePictures p = cutBorders(s, {renderFrame(s, k)});
    out.write(Folder, "left.bmp", p.left);
    out.write(Folder, "right.bmp", p.right);
    out.write(Folder, "top.bmp", p.top);
    out.write(Folder, "bottom.bmp", p.bottom);
}

}  // namespace misnamed

// ---------------------------------------------------------------- template picture of the picture wizard
// One 400 x 300 picture of a whole window, for the "New skin from template" wizard
// and `skinwrt cut`: with the default borders (22, 8, 8, 8) its frame cuts cleanly,
// three title-bar buttons of 15 x 14 sit at x 344, 361 and 378 (y 4), and the client
// area holds a menu bar strip (8, 22, 384 x 18) and a push button (16, 56, 75 x 23)
// to cut as other pictures. The corners outside the rounded top are magenta.
namespace scratchtemplate {

void all(Writer& out)
{
    FrameShape s;
    s.width = 400;
    s.height = 300;
    s.left = s.right = 8;
    s.top = 22;
    s.bottom = 8;
    s.topRadius = 6;
    const FrameLook k{{22, 40, 70},    {150, 180, 220}, {70, 104, 150}, {50, 80, 120},  {30, 50, 84},
                      {84, 130, 196},  {38, 76, 138},   {250, 200, 90}, {70, 104, 150}, {54, 86, 130}};
    Canvas c = renderFrame(s, k);
    c.fill(8, 22, 384, 270, {236, 233, 226});
    // menu bar strip
    c.verticalGradient(8, 22, 384, 18, {250, 250, 248}, {222, 220, 212});
    c.hline(8, 39, 384, {176, 172, 160});
    // title-bar buttons: close, maximise, minimise from the right
    const Glyph* glyphs[] = {&GlyphMinimise, &GlyphMaximise, &GlyphClose};
    for (int b = 0; b < 3; ++b) {
        const int x = 344 + 17 * b, y = 4, W = 15, H = 14;
        const Rgb top = b == 2 ? Rgb{236, 120, 90} : Rgb{170, 200, 240};
        const Rgb bottom = b == 2 ? Rgb{180, 50, 30} : Rgb{90, 130, 200};
        for (int j = 0; j < H; ++j)
            for (int i = 0; i < W; ++i)
                if (!outsideCorner(i, j, W, H, 2, true, true))
                    c.set(x + i, y + j, ramp(top, bottom, j, H));
        outlineRounded(c, x, y, W, H, 2, {20, 34, 60});
        drawGlyphCentred(c, *glyphs[b], x, y, W, H, White, nullptr, 0, b == 0 ? 3 : 0);
    }
    // a push button in the client area
    const int bx = 16, by = 56, bw = 75, bh = 23;
    c.verticalGradient(bx, by, bw, bh, {252, 252, 250}, {214, 210, 200});
    outlineRounded(c, bx, by, bw, bh, 3, {110, 106, 96});
    out.write(QStringLiteral("."), QStringLiteral("scratch.bmp"), c);
}

}  // namespace scratchtemplate

// ---------------------------------------------------------------- template of the new skin wizard
// The pictures wizard.uis names as "wizard\<file>": they lie directly in the template
// folder, prefixed "wiz". The gradient controls are Tidewater's; the standard style is
// a flat bevelled look of the same sizes, so one set of margins serves both.
namespace wizardtemplate {

// Sizes shared with wizard.uis.
constexpr int Side = 5, Title = 24, BarBottom = 42, PlainBottom = 5;
constexpr int TopLeftEnd = 24, TopMiddle = 16, TopRightEnd = 140, SideMiddle = 8;

FrameLook look(bool active)
{
    if (active)
        return {{24, 38, 62},    {136, 168, 210}, {78, 108, 150}, {56, 84, 122},  {30, 48, 78},
                {92, 128, 180},  {44, 74, 120},   {236, 184, 86}, {86, 116, 158}, {58, 86, 126}};
    return {{96, 104, 116},  {212, 216, 222}, {172, 178, 188}, {148, 154, 164}, {120, 126, 138},
            {190, 196, 206}, {152, 160, 172}, {200, 204, 212}, {180, 186, 196}, {158, 164, 174}};
}

FrameShape shape(int bottom)
{
    FrameShape s;
    s.left = s.right = Side;
    s.top = Title;
    s.bottom = bottom;
    s.width = 2 * Side + TopLeftEnd + TopMiddle + TopRightEnd;
    s.height = Title + SideMiddle + bottom;
    s.topRadius = 5;
    if (bottom > PlainBottom) {
        // the two bar rows along the bottom edge
        s.recesses.push_back({3, -41, s.width - 6, 19});
        s.recesses.push_back({3, -22, s.width - 6, 19});
    }
    return s;
}

void frame(Writer& out)
{
    for (int bottom : {BarBottom, PlainBottom}) {
        const FrameShape s = shape(bottom);
        const FramePictures p = cutBorders(s, {renderFrame(s, look(true)), renderFrame(s, look(false))});
        const QString suffix = bottom == PlainBottom ? QStringLiteral("plain.bmp") : QStringLiteral(".bmp");
        out.write({}, QStringLiteral("left") + suffix, p.left);
        out.write({}, QStringLiteral("right") + suffix, p.right);
        out.write({}, QStringLiteral("bottom") + suffix, p.bottom);
        if (bottom == BarBottom)
            out.write({}, QStringLiteral("top.bmp"), p.top);
    }
}

// ---- pictograms of the bar buttons, 9 x 9 at most
const Glyph GlyphWords = {"#########", ".........", "#######..", ".........", "#########", ".........", "#####....", ".........", "########."};
const Glyph GlyphSheet = {"#########", "#..#..#..", "#########", "#..#..#..", "#########", "#..#..#..", "#########"};
const Glyph GlyphPaint = {".......##", "......###", ".....###.", "....###..", "...###...", "..##.....", ".###.....", "###......", "##......."};
const Glyph GlyphMedia = {"#........", "###......", "#####....", "#######..", "#########", "#######..", "#####....", "###......", "#........"};
const Glyph GlyphGlobe = {"..#####..", ".#..#..#.", "#...#...#", "#########", "#...#...#", "#########", "#...#...#", ".#..#..#.", "..#####.."};
const Glyph GlyphCompass = {"..#####..", ".#.....#.", "#...#...#", "#..###..#", "#.#####.#", "#..###..#", "#...#...#", ".#.....#.", "..#####.."};
const Glyph GlyphPrompt = {"#........", ".#.......", "..#......", "...#.....", "..#......", ".#.......", "#...#####"};
const Glyph GlyphMail = {"#########", "##.....##", "#.#...#.#", "#..#.#..#", "#...#...#", "#.......#", "#########"};
const Glyph GlyphStar = {"....#....", "....#....", "...###...", "#########", ".#######.", "..#####..", ".###.###.", ".##...##.", "##.....##"};
const Glyph GlyphFloppy = {"#########", "#.#####.#", "#.#####.#", "#.......#", "#.......#", "#.#####.#", "#.#.#.#.#", "#########"};
const Glyph GlyphDisk = {"#########", "#.......#", "#.......#", "#########", "#.......#", "#.....#.#", "#########"};
const Glyph GlyphCd = {"..#####..", ".#.....#.", "#.......#", "#...#...#", "#..#.#..#", "#...#...#", "#.......#", ".#.....#.", "..#####.."};
const Glyph GlyphNet = {"###...###", "#.#...#.#", "###...###", ".#.....#.", ".#######.", "....#....", "...###...", "...#.#...", "...###..."};
const Glyph GlyphRam = {".#.#.#.#.", "#########", "#.......#", "#.#####.#", "#.......#", "#########", ".#.#.#.#."};
const Glyph GlyphBar = {"###.###..", "###.###..", ".........", "###.###..", "###.###..", ".........", "#########"};
const Glyph GlyphPinned = {".......", "...#...", "..###..", ".#####.", "...#...", "...#...", "#######"};
const Glyph GlyphLoose = {"...#...", "..#.#..", ".#...#.", "#######", "...#...", "...#...", "...#..."};

void buttons(Writer& out)
{
    using tidewater::titleButton;
    const std::pair<const char*, const Glyph*> title[] = {
        {"close.bmp", &GlyphClose}, {"maximise.bmp", &GlyphMaximise}, {"rollup.bmp", &GlyphRollUp},
        {"ontop.bmp", &GlyphOnTop}, {"offtop.bmp", &GlyphPinned},     {"notontop.bmp", &GlyphLoose},
        {"help.bmp", &GlyphHelp},   {"appbar.bmp", &GlyphBar},        {"drivebar.bmp", &GlyphDisk},
        {"word.bmp", &GlyphWords},  {"sheet.bmp", &GlyphSheet},       {"paint.bmp", &GlyphPaint},
        {"media.bmp", &GlyphMedia}, {"web1.bmp", &GlyphGlobe},        {"web2.bmp", &GlyphCompass},
        {"prompt.bmp", &GlyphPrompt}, {"mail.bmp", &GlyphMail},       {"halcyra.bmp", &GlyphStar},
        {"floppy.bmp", &GlyphFloppy}, {"hdrive.bmp", &GlyphDisk},     {"cd.bmp", &GlyphCd},
        {"net.bmp", &GlyphNet},     {"ram.bmp", &GlyphRam},
    };
    for (const auto& [file, glyph] : title)
        out.write({}, QString::fromLatin1(file), titleButton(*glyph, glyph == &GlyphClose, 0));
    out.write({}, QStringLiteral("minimise.bmp"), titleButton(GlyphMinimise, false, 3));
}

// ---- the standard style: flat faces with a one-pixel bevel
const Rgb Face{212, 208, 200}, Light{255, 255, 255}, Shadow{128, 128, 128}, Dark{64, 64, 64};

void bevel(Canvas& c, int x, int y, int w, int h, bool raised)
{
    const Rgb a = raised ? Light : Shadow, b = raised ? Dark : Light;
    c.hline(x, y, w, a);
    c.vline(x, y, h, a);
    c.hline(x, y + h - 1, w, b);
    c.vline(x + w - 1, y, h, b);
}

void standardControls(Writer& out)
{
    std::vector<Canvas> buttons;
    for (int f = 0; f < 5; ++f) {  // normal, pressed, disabled, focused, hot
        Canvas c(70, 25, f == 4 ? Rgb{224, 220, 212} : Face);
        bevel(c, 0, 0, 70, 25, f != 1);
        if (f == 3)
            outlineRounded(c, 1, 1, 68, 23, 0, Black);
        buttons.push_back(c);
    }
    out.write({}, QStringLiteral("button.bmp"), sideBySide(buttons));
    for (bool round : {false, true}) {
        std::vector<Canvas> frames;
        for (bool enabled : {true, false})
            for (bool marked : {false, true}) {
                Canvas c(13, 13);
                const int radius = round ? 6 : 0;
                for (int j = 0; j < 13; ++j)
                    for (int i = 0; i < 13; ++i)
                        if (!outsideCorner(i, j, 13, 13, radius, true, true))
                            c.set(i, j, enabled ? White : Face);
                outlineRounded(c, 0, 0, 13, 13, radius, enabled ? Dark : Shadow);
                if (marked)
                    drawGlyphCentred(c, round ? GlyphRadioDot : GlyphCheck, 0, 0, 13, 13, enabled ? Black : Shadow);
                frames.push_back(c);
            }
        out.write({}, round ? QStringLiteral("radio.bmp") : QStringLiteral("check.bmp"), sideBySide(frames));
    }
    std::vector<Canvas> tabs;
    for (int f = 0; f < 5; ++f) {  // normal, selected, hot, disabled, focused
        const bool selected = f == 1 || f == 4;
        Canvas c(40, 20);
        const int y0 = selected ? 0 : 2;
        c.fill(0, y0, 40, 20 - y0, f == 2 ? Rgb{224, 220, 212} : Face);
        c.hline(1, y0, 38, Light);
        c.vline(0, y0 + 1, 19 - y0, Light);
        c.vline(39, y0 + 1, 19 - y0, Dark);
        c.vline(38, y0 + 1, 19 - y0, Shadow);
        if (!selected)
            c.hline(0, 19, 40, Light);
        tabs.push_back(c);
    }
    out.write({}, QStringLiteral("tabs.bmp"), sideBySide(tabs));
    Canvas page(16, 16, Face);
    bevel(page, 0, 0, 16, 16, true);
    page.fill(2, 2, 12, 12, Magenta);
    out.write({}, QStringLiteral("tabframe.bmp"), page);
    Canvas back(40, 14, Face), done(40, 14, Face);
    bevel(back, 0, 0, 40, 14, false);
    bevel(done, 0, 0, 40, 14, false);
    done.fill(2, 2, 36, 10, {0, 0, 128});
    out.write({}, QStringLiteral("progress.bmp"), sideBySide({back, done}));

    constexpr int S = 16;
    const Glyph arrows[] = {GlyphArrowLeft, mirrored(GlyphArrowLeft), GlyphArrowUp, flipped(GlyphArrowUp)};
    std::vector<Canvas> parts;
    for (const Glyph& arrow : arrows)
        for (int state = 0; state < 4; ++state) {  // normal, pressed, hot, disabled
            Canvas c(S, S, state == 2 ? Rgb{224, 220, 212} : Face);
            bevel(c, 0, 0, S, S, state != 1);
            const int shift = state == 1 ? 1 : 0;
            drawGlyphCentred(c, arrow, 0, 0, S, S, state == 3 ? Shadow : Black, nullptr, shift, shift);
            parts.push_back(c);
        }
    for (int grip = 0; grip < 6; ++grip)
        parts.push_back(Canvas(S, S));
    Canvas corner(S, S, Face);
    for (int d = 0; d < 3; ++d) {
        corner.set(S - 3 - 4 * d, S - 2, Light);
        for (int n = 0; n < 4 * d + 2; ++n)
            corner.set(S - 2 - n, S - 3 - 4 * d + n, Shadow);
    }
    parts.push_back(corner);
    out.write({}, QStringLiteral("scrollarrows.bmp"), sideBySide(parts));
    for (bool vertical : {false, true}) {
        std::vector<Canvas> track, thumb;
        for (int state = 0; state < 4; ++state) {
            Canvas c(S, S, state == 1 ? Rgb{96, 96, 96} : Rgb{236, 234, 230});
            for (int n = 0; n < S; n += 2)
                for (int m = n % 4 == 0 ? 0 : 1; m < S; m += 2)
                    c.set(vertical ? m : n, vertical ? n : m, state == 1 ? Dark : Face);
            track.push_back(c);
        }
        for (int state = 0; state < 3; ++state) {
            Canvas c(vertical ? S : 24, vertical ? 24 : S, state == 2 ? Rgb{224, 220, 212} : Face);
            bevel(c, 0, 0, c.width(), c.height(), state != 1);
            thumb.push_back(c);
        }
        out.write({}, vertical ? QStringLiteral("vtrack.bmp") : QStringLiteral("htrack.bmp"), sideBySide(track));
        out.write({}, vertical ? QStringLiteral("vthumb.bmp") : QStringLiteral("hthumb.bmp"), sideBySide(thumb));
    }
}

void all(const QString& templateDir, Writer& total)
{
    Writer wizard(templateDir, QStringLiteral("."), QStringLiteral("wiz"));
    frame(wizard);
    buttons(wizard);
    total.add(wizard);
    // The gradient style borrows Tidewater's controls.
    Writer gradient(templateDir, QStringLiteral("."), QStringLiteral("wiz"));
    tidewater::pushButtons(gradient);
    tidewater::boxes(gradient);
    tidewater::tabs(gradient);
    tidewater::progress(gradient);
    tidewater::scrollBars(gradient);
    total.add(gradient);
    Writer standard(templateDir, QStringLiteral("."), QStringLiteral("wizstd"));
    standardControls(standard);
    total.add(standard);
}

}  // namespace wizardtemplate

// ---------------------------------------------------------------- template personalities
// The gallery's template personalities (plain.uis, rounded.uis ...): a frame, six
// title-bar buttons and every skinned control each, their pictures in a folder of the
// template's name, as an installed personality keeps them. The sizes below are
// repeated in each template's .uis file.
namespace templatepersonalities {

using tidewater::PartLook;
using tidewater::State;

// Fixed ends and middles of the frame pictures, the same for every template.
constexpr int TopLeftEnd = 24, TopMiddle = 8, TopRightEnd = 24, SideMiddle = 8;
// Sizes of the control pictures, one frame each.
constexpr int PushW = 24, PushH = 22, BoxSize = 13, TabW = 24, TabH = 20;
constexpr int ProgressW = 16, ProgressH = 14, ScrollSize = 16, ThumbLength = 24;

struct ButtonStyle {
    int w = 16, h = 14, radius = 2;
    Rgb top, bottom, border, glyph;              // active window, normal state
    Rgb idleTop, idleBottom, idleBorder, idleGlyph;  // inactive window
    Rgb dangerTop, dangerBottom;                 // the close button under the mouse
    bool bevel = false;                          // raised one-pixel edges instead of an outline
};

struct ControlStyle {
    Rgb face, faceLow;  // faces of push buttons, tabs, arrows and thumbs: top and bottom
    Rgb border;         // outline of every control
    Rgb ink;            // arrows and marks
    Rgb box;            // inside of check and radio boxes
    Rgb accent;         // focus ring, the selected tab's line, the progress fill
    Rgb track;          // scroll bar tracks
    int radius = 0;     // corners of buttons, tabs and thumbs
    bool bevel = false; // classic raised edges, light above and dark below
};

struct Template {
    const char* folder;
    int side, title, bottom, topRadius, bottomRadius;
    FrameLook active, inactive;
    ButtonStyle button;
    ControlStyle controls;
};

// A one-pixel edge: `high` along the top and left sides, `low` along the others.
void edge(Canvas& c, int x, int y, int w, int h, Rgb high, Rgb low)
{
    c.hline(x, y, w, high);
    c.vline(x, y, h, high);
    c.hline(x, y + h - 1, w, low);
    c.vline(x + w - 1, y, h, low);
}

Canvas titleButton(const ButtonStyle& k, const Glyph& g, bool danger, int glyphDy)
{
    std::vector<Canvas> frames;
    for (bool active : {true, false})
        for (int state = 1; state <= 3; ++state) {  // normal, pressed, hot
            Rgb top = active ? k.top : k.idleTop, bottom = active ? k.bottom : k.idleBottom;
            const Rgb border = active ? k.border : k.idleBorder, glyph = active ? k.glyph : k.idleGlyph;
            if (state == 3) {
                top = danger && active ? k.dangerTop : shade(top, 22);
                bottom = danger && active ? k.dangerBottom : shade(bottom, 22);
            } else if (state == 2) {
                const Rgb pressedTop = shade(bottom, -18);
                bottom = shade(top, -18);
                top = pressedTop;
            }
            Canvas c(k.w, k.h);
            for (int j = 0; j < k.h; ++j)
                for (int i = 0; i < k.w; ++i)
                    if (!outsideCorner(i, j, k.w, k.h, k.radius, true, true))
                        c.set(i, j, ramp(top, bottom, j, k.h));
            if (k.bevel) {
                const Rgb light = mix(top, White, 180), dark = shade(bottom, -90);
                edge(c, 0, 0, k.w, k.h, state == 2 ? dark : light, state == 2 ? light : dark);
            } else {
                if (state != 2)
                    c.hline(k.radius + 1, 1, k.w - 2 * k.radius - 2, mix(top, White, 90));
                outlineRounded(c, 0, 0, k.w, k.h, k.radius, border);
            }
            const int press = state == 2 ? 1 : 0;
            drawGlyphCentred(c, g, 0, 0, k.w, k.h, glyph, nullptr, press, press + glyphDy);
            frames.push_back(c);
        }
    return sideBySide(frames);
}

PartLook partLook(const ControlStyle& k, State s)
{
    switch (s) {
    case State::Normal: return {k.face, k.faceLow, k.border, k.ink};
    case State::Pressed: return {shade(k.faceLow, -16), shade(k.face, -10), shade(k.border, -20), k.ink};
    case State::Hot: return {shade(k.face, 16), shade(k.faceLow, 16), mix(k.border, k.accent, 140), k.ink};
    case State::Disabled: {
        const Rgb flat = mix(k.face, k.faceLow, 128);
        return {flat, flat, mix(k.border, flat, 150), mix(k.ink, flat, 160)};
    }
    }
    return {};
}

// A control's face: Tidewater's rounded plate, or a flat face with raised edges.
Canvas plate(const ControlStyle& k, State s, int w, int h, bool vertical)
{
    const PartLook p = partLook(k, s);
    if (!k.bevel)
        return tidewater::plate(w, h, p, vertical, k.radius);
    Canvas c(w, h, p.top);
    const Rgb light = mix(p.top, White, 190), dark = shade(p.bottom, -96);
    if (s == State::Pressed)
        edge(c, 0, 0, w, h, dark, light);
    else
        edge(c, 0, 0, w, h, light, dark);
    if (s != State::Pressed)
        edge(c, 1, 1, w - 2, h - 2, mix(p.top, White, 90), shade(p.bottom, -48));
    return c;
}

void pushButtons(Writer& out, const QString& folder, const ControlStyle& k)
{
    std::vector<Canvas> frames;
    for (int f = 0; f < 5; ++f) {  // normal, pressed, disabled, focused, hot
        const State s = f == 1 ? State::Pressed : f == 2 ? State::Disabled : f == 4 ? State::Hot : State::Normal;
        Canvas c = plate(k, s, PushW, PushH, false);
        if (f == 3)
            outlineRounded(c, 2, 2, PushW - 4, PushH - 4, std::max(k.radius - 1, 0), k.accent);
        frames.push_back(c);
    }
    out.write(folder, QStringLiteral("button.bmp"), sideBySide(frames));
}

void boxes(Writer& out, const QString& folder, const ControlStyle& k)
{
    for (bool round : {false, true}) {
        std::vector<Canvas> frames;
        for (bool enabled : {true, false})
            for (bool marked : {false, true}) {  // unchecked, checked, then both disabled
                Canvas c(BoxSize, BoxSize);
                const Rgb inside = enabled ? k.box : mix(k.box, k.faceLow, 150);
                const Rgb border = enabled ? k.border : mix(k.border, k.faceLow, 150);
                const int radius = round ? BoxSize / 2 : std::min(k.radius, 2);
                for (int j = 0; j < BoxSize; ++j)
                    for (int i = 0; i < BoxSize; ++i)
                        if (!outsideCorner(i, j, BoxSize, BoxSize, radius, true, true))
                            c.set(i, j, ramp(inside, shade(inside, -14), j, BoxSize));
                if (k.bevel && !round)
                    edge(c, 0, 0, BoxSize, BoxSize, shade(k.faceLow, -96), White);
                else
                    outlineRounded(c, 0, 0, BoxSize, BoxSize, radius, border);
                if (marked)
                    drawGlyphCentred(c, round ? GlyphRadioDot : GlyphCheck, 0, 0, BoxSize, BoxSize,
                                     enabled ? k.ink : mix(k.ink, inside, 150));
                frames.push_back(c);
            }
        out.write(folder, round ? QStringLiteral("radio.bmp") : QStringLiteral("check.bmp"), sideBySide(frames));
    }
}

void tabs(Writer& out, const QString& folder, const ControlStyle& k)
{
    std::vector<Canvas> frames;
    for (int f = 0; f < 5; ++f) {  // normal, selected, hot, disabled, focused
        const bool selected = f == 1 || f == 4;
        const State s = f == 2 ? State::Hot : f == 3 ? State::Disabled : State::Normal;
        PartLook p = partLook(k, s);
        if (selected)
            p = {shade(k.face, 10), k.face, k.border, k.ink};
        const int y0 = selected ? 0 : 2;  // unselected tabs stand lower
        const int radius = std::min(k.radius, 4);
        Canvas c(TabW, TabH);
        for (int j = y0; j < TabH; ++j)
            for (int i = 0; i < TabW; ++i)
                if (!outsideCorner(i, j - y0, TabW, TabH - y0, radius, true, false))
                    c.set(i, j, ramp(p.top, p.bottom, j - y0, TabH - y0));
        if (k.bevel) {
            c.hline(1, y0, TabW - 2, White);
            c.vline(0, y0 + 1, TabH - y0 - 1, White);
            c.vline(TabW - 1, y0 + 1, TabH - y0 - 1, shade(k.faceLow, -96));
            c.vline(TabW - 2, y0 + 1, TabH - y0 - 1, shade(k.faceLow, -48));
        } else {
            outlineRounded(c, 0, y0, TabW, TabH - y0, radius, p.border, true, false);
        }
        if (selected)
            c.hline(radius + 1, y0 + 1, TabW - 2 * radius - 2, f == 4 ? shade(k.accent, -30) : k.accent);
        if (selected)
            c.hline(1, TabH - 1, TabW - 2, p.bottom);  // open towards its page
        else
            c.hline(0, TabH - 1, TabW, k.bevel ? White : p.border);
        frames.push_back(c);
    }
    out.write(folder, QStringLiteral("tabs.bmp"), sideBySide(frames));

    // the page frame: three rings around an open middle
    Canvas page(16, 16);
    if (k.bevel) {
        edge(page, 0, 0, 16, 16, White, shade(k.faceLow, -96));
        edge(page, 1, 1, 14, 14, mix(k.face, White, 90), shade(k.faceLow, -48));
        outlineRounded(page, 2, 2, 12, 12, 0, k.face);
    } else {
        outlineRounded(page, 0, 0, 16, 16, 0, k.border);
        outlineRounded(page, 1, 1, 14, 14, 0, mix(k.face, White, 120));
        outlineRounded(page, 2, 2, 12, 12, 0, k.face);
    }
    out.write(folder, QStringLiteral("tabframe.bmp"), page);
}

void progress(Writer& out, const QString& folder, const ControlStyle& k)
{
    const int radius = std::min(k.radius, 3);
    Canvas back(ProgressW, ProgressH), done(ProgressW, ProgressH);
    for (int j = 0; j < ProgressH; ++j)
        for (int i = 0; i < ProgressW; ++i)
            if (!outsideCorner(i, j, ProgressW, ProgressH, radius, true, true)) {
                back.set(i, j, ramp(shade(k.track, -10), shade(k.track, 12), j, ProgressH));
                done.set(i, j, ramp(mix(k.accent, White, 90), shade(k.accent, -40), j, ProgressH));
            }
    outlineRounded(back, 0, 0, ProgressW, ProgressH, radius, k.border);
    done.hline(radius + 1, 1, ProgressW - 2 * radius - 2, mix(k.accent, White, 150));
    outlineRounded(done, 0, 0, ProgressW, ProgressH, radius, shade(k.accent, -70));
    out.write(folder, QStringLiteral("progress.bmp"), sideBySide({back, done}));
}

void scrollBars(Writer& out, const QString& folder, const ControlStyle& k)
{
    constexpr int S = ScrollSize;
    const State states[] = {State::Normal, State::Pressed, State::Hot, State::Disabled};
    const Glyph arrows[] = {GlyphArrowLeft, mirrored(GlyphArrowLeft), GlyphArrowUp, flipped(GlyphArrowUp)};
    // frames 1 to 16: the left, right, up and down arrows in four states each
    std::vector<Canvas> frames;
    for (int a = 0; a < 4; ++a)
        for (State s : states) {
            Canvas c = plate(k, s, S, S, a < 2);
            const int shift = s == State::Pressed ? 1 : 0;
            drawGlyphCentred(c, arrows[a], 0, 0, S, S, partLook(k, s).glyph, nullptr, shift, shift);
            frames.push_back(c);
        }
    // frames 17 to 22: the grooves laid over the thumbs, then 23: the size grip
    for (bool vertical : {false, true})
        for (State s : {State::Normal, State::Pressed, State::Hot}) {
            Canvas c(S, S);
            const PartLook p = partLook(k, s);
            for (int n = -1; n <= 1; ++n) {
                const int at = S / 2 - 1 + 3 * n;
                if (vertical) {
                    c.hline(5, at, 6, shade(p.border, -10));
                    c.hline(5, at + 1, 6, mix(p.top, White, 160));
                } else {
                    c.vline(at, 5, 6, shade(p.border, -10));
                    c.vline(at + 1, 5, 6, mix(p.top, White, 160));
                }
            }
            frames.push_back(c);
        }
    Canvas corner(S, S, k.track);
    for (int d = 0; d < 3; ++d)
        for (int n = 0; n <= d; ++n) {
            const int x = S - 4 - 3 * (d - n), y = S - 4 - 3 * n;
            corner.fill(x, y, 2, 2, mix(k.track, White, 160));
            corner.set(x, y, k.border);
        }
    frames.push_back(corner);
    out.write(folder, QStringLiteral("scrollarrows.bmp"), sideBySide(frames));

    for (bool vertical : {false, true}) {
        std::vector<Canvas> track;
        for (State s : states) {
            const Rgb base = s == State::Pressed ? shade(k.track, -22)
                           : s == State::Hot     ? shade(k.track, 10)
                           : s == State::Disabled ? mix(k.track, k.face, 128)
                                                  : k.track;
            Canvas c(S, S, base);
            const Rgb rim = shade(base, -26);
            if (vertical) {
                c.vline(0, 0, S, rim);
                c.vline(S - 1, 0, S, rim);
            } else {
                c.hline(0, 0, S, rim);
                c.hline(0, S - 1, S, rim);
            }
            track.push_back(c);
        }
        out.write(folder, vertical ? QStringLiteral("vtrack.bmp") : QStringLiteral("htrack.bmp"), sideBySide(track));
        std::vector<Canvas> thumb;
        for (State s : {State::Normal, State::Pressed, State::Hot})
            thumb.push_back(vertical ? plate(k, s, S, ThumbLength, true) : plate(k, s, ThumbLength, S, false));
        out.write(folder, vertical ? QStringLiteral("vthumb.bmp") : QStringLiteral("hthumb.bmp"), sideBySide(thumb));
    }
}

void personality(Writer& out, const Template& t)
{
    const QString folder = QString::fromLatin1(t.folder);
    FrameShape s;
    s.left = s.right = t.side;
    s.top = t.title;
    s.bottom = t.bottom;
    s.width = 2 * t.side + TopLeftEnd + TopMiddle + TopRightEnd;
    s.height = t.title + SideMiddle + t.bottom;
    s.topRadius = t.topRadius;
    s.bottomRadius = t.bottomRadius;
    const FramePictures p = cutBorders(s, {renderFrame(s, t.active), renderFrame(s, t.inactive)});
    out.write(folder, QStringLiteral("top.bmp"), p.top);
    out.write(folder, QStringLiteral("bottom.bmp"), p.bottom);
    out.write(folder, QStringLiteral("left.bmp"), p.left);
    out.write(folder, QStringLiteral("right.bmp"), p.right);

    const std::tuple<const char*, const Glyph*, int> buttons[] = {
        {"close.bmp", &GlyphClose, 0},  {"maximise.bmp", &GlyphMaximise, 0}, {"minimise.bmp", &GlyphMinimise, 3},
        {"rollup.bmp", &GlyphRollUp, 0}, {"ontop.bmp", &GlyphOnTop, 0},       {"help.bmp", &GlyphHelp, 0},
    };
    for (const auto& [file, glyph, dy] : buttons)
        out.write(folder, QString::fromLatin1(file), titleButton(t.button, *glyph, glyph == &GlyphClose, dy));

    pushButtons(out, folder, t.controls);
    boxes(out, folder, t.controls);
    tabs(out, folder, t.controls);
    progress(out, folder, t.controls);
    scrollBars(out, folder, t.controls);
}

const Template Templates[] = {
    // plain: square corners and a quiet slate frame
    {"plain", 4, 22, 4, 0, 0,
     {{40, 44, 52}, {168, 176, 188}, {112, 120, 134}, {88, 96, 110}, {52, 58, 68},
      {120, 130, 146}, {82, 92, 108}, {150, 160, 176}, {112, 120, 134}, {96, 104, 118}},
     slate::look(false),
     {16, 14, 0, {132, 142, 158}, {92, 102, 118}, {34, 38, 46}, {240, 242, 246},
      {200, 204, 210}, {168, 172, 180}, {110, 114, 122}, {246, 247, 249}, {214, 84, 72}, {160, 40, 32}, false},
     {{244, 245, 247}, {210, 214, 220}, {100, 108, 122}, {36, 40, 48}, {255, 255, 255}, {82, 92, 108},
      {226, 228, 232}, 0, false}},
    // rounded: a soft green frame with round corners and round buttons
    {"rounded", 4, 22, 4, 8, 4,
     {{24, 60, 40}, {140, 200, 160}, {70, 130, 96}, {50, 104, 74}, {28, 70, 46},
      {96, 164, 120}, {48, 112, 76}, {200, 230, 140}, {70, 130, 96}, {56, 112, 80}},
     {{96, 110, 102}, {214, 222, 216}, {172, 184, 176}, {148, 160, 152}, {122, 134, 126},
      {190, 202, 194}, {156, 170, 162}, {200, 210, 204}, {176, 188, 180}, {160, 172, 164}},
     {16, 14, 7, {150, 210, 166}, {64, 140, 92}, {20, 62, 38}, {255, 255, 255},
      {206, 216, 210}, {166, 180, 172}, {112, 126, 118}, {250, 252, 250}, {240, 130, 110}, {186, 54, 40}, false},
     {{248, 252, 248}, {208, 228, 214}, {80, 130, 98}, {28, 74, 46}, {255, 255, 255}, {60, 150, 96},
      {222, 234, 226}, 4, false}},
    // thin: hairline borders, a low title bar and small flat buttons
    {"thin", 3, 18, 3, 2, 0,
     {{52, 72, 100}, {176, 196, 222}, {120, 146, 180}, {96, 122, 156}, {64, 86, 116},
      {150, 176, 210}, {118, 146, 184}, {86, 120, 168}, {120, 146, 180}, {96, 122, 156}},
     {{128, 136, 148}, {224, 228, 234}, {196, 202, 210}, {176, 182, 190}, {150, 156, 166},
      {212, 216, 222}, {196, 200, 208}, {184, 190, 198}, {196, 202, 210}, {176, 182, 190}},
     {14, 12, 1, {168, 190, 220}, {130, 156, 192}, {64, 86, 116}, {24, 38, 60},
      {220, 224, 230}, {200, 204, 212}, {150, 156, 166}, {120, 126, 136}, {232, 108, 96}, {196, 60, 48}, false},
     {{250, 251, 253}, {226, 232, 240}, {124, 142, 168}, {40, 56, 80}, {255, 255, 255}, {86, 120, 168},
      {234, 238, 243}, 1, false}},
    // bevel: wide raised borders and square buttons with classic edges
    {"bevel", 8, 26, 8, 0, 0,
     {{64, 64, 64}, {255, 255, 255}, {200, 196, 188}, {128, 128, 128}, {96, 96, 96},
      {24, 52, 120}, {88, 128, 196}, {212, 208, 200}, {208, 204, 196}, {184, 180, 172}},
     {{96, 96, 96}, {255, 255, 255}, {200, 196, 188}, {140, 140, 140}, {112, 112, 112},
      {132, 132, 132}, {176, 176, 176}, {212, 208, 200}, {208, 204, 196}, {184, 180, 172}},
     {18, 16, 0, {214, 210, 202}, {196, 192, 184}, {64, 64, 64}, {0, 0, 0},
      {214, 210, 202}, {196, 192, 184}, {64, 64, 64}, {120, 120, 120}, {226, 120, 100}, {190, 70, 50}, true},
     {{216, 212, 204}, {200, 196, 188}, {64, 64, 64}, {0, 0, 0}, {255, 255, 255}, {24, 52, 120},
      {232, 230, 226}, 0, true}},
    // dark: a charcoal frame with an amber line and light glyphs
    {"dark", 5, 24, 5, 4, 2,
     {{8, 8, 10}, {88, 92, 100}, {46, 48, 54}, {34, 36, 40}, {20, 20, 24},
      {62, 64, 72}, {32, 34, 40}, {240, 150, 40}, {46, 48, 54}, {34, 36, 40}},
     {{40, 42, 46}, {116, 118, 124}, {84, 86, 92}, {70, 72, 78}, {56, 58, 64},
      {96, 98, 104}, {78, 80, 86}, {120, 112, 100}, {84, 86, 92}, {70, 72, 78}},
     {16, 14, 3, {78, 82, 92}, {44, 46, 54}, {10, 10, 12}, {236, 238, 242},
      {108, 110, 116}, {88, 90, 96}, {52, 54, 60}, {170, 172, 178}, {230, 96, 60}, {170, 40, 20}, false},
     {{96, 100, 110}, {64, 67, 75}, {24, 25, 30}, {240, 240, 244}, {52, 54, 60}, {240, 150, 40},
      {80, 82, 90}, 3, false}},
    // light: a white frame, rounded all round, with dark glyphs and a blue line
    {"light", 4, 24, 4, 6, 6,
     {{150, 158, 172}, {255, 255, 255}, {242, 244, 248}, {226, 230, 236}, {200, 206, 214},
      {252, 253, 255}, {232, 236, 242}, {0, 120, 215}, {242, 244, 248}, {230, 234, 240}},
     {{186, 190, 198}, {255, 255, 255}, {246, 247, 249}, {236, 238, 241}, {216, 219, 224},
      {252, 252, 253}, {240, 241, 244}, {214, 218, 224}, {246, 247, 249}, {238, 240, 243}},
     {16, 14, 3, {250, 251, 253}, {226, 230, 238}, {150, 158, 172}, {40, 48, 60},
      {250, 250, 251}, {238, 239, 242}, {200, 204, 210}, {150, 156, 164}, {250, 96, 80}, {210, 40, 30}, false},
     {{255, 255, 255}, {234, 238, 244}, {150, 160, 176}, {30, 40, 56}, {255, 255, 255}, {0, 120, 215},
      {240, 242, 246}, 3, false}},
};

void all(Writer& out)
{
    for (const Template& t : Templates)
        personality(out, t);
}

}  // namespace templatepersonalities


}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--artwork")
        return writeArtwork(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: skingen OUTDIR [TEMPLATEDIR]\n"
                             "       skingen --artwork REPOSITORY\n"
                             "Draws the bitmaps of the sample personalities into OUTDIR (the skins root) and,\n"
                             "when given, the template pictures into TEMPLATEDIR; or the tweak tool's sample\n"
                             "picture and the program icons into the repository.\n");
        return 2;
    }
    Writer out(QString::fromLocal8Bit(argv[1]));
    tidewater::all(out);
    slate::all(out);
    parchment::all(out);
    misnamed::all(out);
    int written = out.count();
    bool failed = out.failed();
    if (argc == 3) {
        Writer templates(QString::fromLocal8Bit(argv[2]));
        scratchtemplate::all(templates);
        wizardtemplate::all(QString::fromLocal8Bit(argv[2]), templates);
        templatepersonalities::all(templates);
        written += templates.count();
        failed = failed || templates.failed();
    }
    if (failed)
        return 1;
    std::printf("skingen: %d bitmaps written\n", written);
    return 0;
}
