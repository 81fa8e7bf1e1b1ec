#include "preview/TitleButtons.h"

#include "document/UisFile.h"
#include "preview/BitmapImage.h"
#include "preview/Blitter.h"
#include "preview/ClassicDesktop.h"

#include <QPainter>

#include <algorithm>
#include <filesystem>

namespace sw {

namespace {

namespace fs = std::filesystem;

constexpr int kPictureSize = 16;

QImage magentaImage(int width, int height)
{
    QImage image(std::max(width, 0), std::max(height, 0), kSkinFormat);
    image.fill(kMagenta);
    return image;
}

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// Text on a magenta work bitmap: without smoothing, so that every pixel is either
// the text's colour or the transparent colour.
void drawButtonText(QImage& image, const QString& text, QFont font, QRgb colour)
{
    if (image.isNull())
        return;
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(QRect(1, 1, image.width() - 1, image.height() - 1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text);
}

int bounded(int value)
{
    return std::clamp(value, -32767, 32767);
}

}  // namespace

QImage windowIconPicture()
{
    // A small window: blue title bar, white body, dark outline.
    QImage image = magentaImage(kPictureSize, kPictureSize);
    blit::fill(image, QRect(1, 2, 14, 12), 0xFF404040u);
    blit::fill(image, QRect(2, 3, 12, 3), 0xFF0A246Au);
    blit::fill(image, QRect(2, 6, 12, 7), 0xFFFFFFFFu);
    blit::fill(image, QRect(11, 4, 2, 1), 0xFFFFFFFFu);
    return image;
}

QImage missingButtonPicture()
{
    // A grey square with a red cross: something is missing here.
    QImage image = magentaImage(kPictureSize, kPictureSize);
    blit::fill(image, QRect(0, 0, 16, 16), 0xFF808080u);
    blit::fill(image, QRect(1, 1, 14, 14), 0xFFD4D0C8u);
    for (int i = 3; i < 13; ++i) {
        image.setPixel(i, i, 0xFFFF0000u);
        image.setPixel(15 - i, i, 0xFFFF0000u);
    }
    return image;
}

std::string pluginName(std::string_view dllName)
{
    const std::size_t slash = dllName.find_last_of("\\/:");
    if (slash != std::string_view::npos)
        dllName.remove_prefix(slash + 1);
    return std::string(dllName.substr(0, dllName.find('.')));
}

std::string buttonSection(int index)
{
    return "BUTTON" + std::to_string(index);
}

int buttonOfLayer(std::string_view name)
{
    constexpr std::string_view prefix = "Button";
    if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 5)
        return -1;
    int value = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

ButtonFrame buttonFrame(const PreviewScene& scene, bool version1p)
{
    ButtonFrame frame;
    const PreviewLayer* right = scene.Find("ImageRight");
    frame.ClientWidth = right ? right->Rect.left() + right->Rect.width() : scene.ClientSize.width();
    frame.ClientHeight = scene.ClientSize.height();
    if (const PreviewLayer* caption = scene.Find("LabelFormCaption")) {
        frame.CaptionLeft = caption->Rect.left();
        frame.CaptionRight = caption->Rect.left() + caption->Rect.width();
    }
    frame.XShift = version1p ? desktop::FrameWidth : 0;
    return frame;
}

QPoint placeButton(int align, QPoint coordinates, const ButtonFrame& f, QPoint current)
{
    const int x = coordinates.x() + f.XShift, y = coordinates.y();
    const int cw = f.ClientWidth, ch = f.ClientHeight;
    switch (align) {
    case 0: return {x, y};
    case 1: return {cw - x, y};
    case 2: return {x, ch - y};
    case 3: return {cw - x, ch - y};
    case 4: return {cw / 2 + x, y};
    case 5: return {cw / 2 + x, ch - y};
    case 6: return {x, ch / 2 + y};
    case 7: return {cw - x, ch / 2 + y};
    case 8: return {f.CaptionLeft + x, y};
    case 9: return {f.CaptionRight - x, y};
    default: return current;
    }
}

std::optional<QPoint> buttonCoordinates(int align, QPoint topLeft, const ButtonFrame& f)
{
    const int left = topLeft.x(), top = topLeft.y();
    const int cw = f.ClientWidth, ch = f.ClientHeight;
    int x, y;
    switch (align) {
    case 0: x = left; y = top; break;
    case 1: x = cw - left; y = top; break;
    case 2: x = left; y = ch - top; break;
    case 3: x = cw - left; y = ch - top; break;
    case 4: x = left - cw / 2; y = top; break;
    case 5: x = left - cw / 2; y = ch - top; break;
    case 6: x = left; y = top - ch / 2; break;
    case 7: x = cw - left; y = top - ch / 2; break;
    case 8: x = left - f.CaptionLeft; y = top; break;
    case 9: x = f.CaptionRight - left; y = top; break;
    default: return std::nullopt;
    }
    // XCoord counts from the sizing frame, which placeButton adds first.
    x -= f.XShift;
    return QPoint(x, y);
}

void TTitleButtons::Clear()
{
    buttons_.clear();
    order_.clear();
    loaded_ = false;
}

void TTitleButtons::Load(TUisFile& document, bool active, PixelBudget* budget)
{
    // Visible flags by index, from the previous load.
    std::vector<bool> visible;
    for (const TitleButton& button : buttons_)
        visible.push_back(button.Layer.Visible);
    const bool firstLoad = !loaded_;
    buttons_.clear();
    order_.clear();
    active_ = active;

    const int count = std::clamp(document.ButtonCount(), 0, 1024);
    triple_ = document.ReadBool("PERSONALITY", "TripleImages", false);
    buttons_.resize(std::size_t(count));

    for (int i = 0; i < count; ++i) {
        TitleButton& button = buttons_[std::size_t(i)];
        const std::string section = buttonSection(i);
        const int action = document.ReadInteger(section, "Action", 0);
        const int type = document.ReadInteger(section, "Type", 0);
        QImage work;
        QRect source;
        if (action == -3 || type == 1) {
            const int width = std::clamp(document.ReadInteger(section, "Width", 0), 0, 4096);
            const int height = std::clamp(document.ReadInteger(section, "Height", 0), 0, 4096);
            work = magentaImage(width, height);
            if (action == -3) {
                const std::string plugin = pluginName(document.ReadString(section, "DllName", "Undefined Plugin Name"));
                const QFont font = skinFont(document.ReadString(plugin, "FontName", "Arial"),
                                            bounded(document.ReadInteger(plugin, "FontSize", 11)),
                                            document.ReadInteger(plugin, "FontWeight", 400), false);
                const QRgb colour = toPixel(document.NamedColour(active ? "ActiveText" : "InActiveText",
                                                                 desktop::CaptionText));
                drawButtonText(work, latin1(plugin), font, colour);
            } else {
                const std::string fontSection = "Font" + std::to_string(document.ReadInteger(section, "NormalFont", 0));
                QFont font = skinFont(document.ReadString(fontSection, "FontName", "Arial"),
                                      bounded(document.ReadInteger(fontSection, "FontHeight", 11)),
                                      document.ReadInteger(fontSection, "FontWeight", 400),
                                      document.ReadBool(fontSection, "Italics", false));
                font.setUnderline(document.ReadBool(fontSection, "Underline", false));
                drawButtonText(work, latin1(document.ReadString(section, "Text", "Text")), font,
                               toPixel(desktop::WindowText));
            }
            source = work.rect();
        } else if (action == 11) {
            work = windowIconPicture();
            source = work.rect();
        } else {
            const fs::path file = document.ReferencePath(document.ReadString(section, "ButtonImage", ""));
            std::error_code ec;
            QImage strip;
            if (!file.empty() && fs::is_regular_file(file, ec))
                strip = readBitmapImage(file, nullptr, budget);
            if (!strip.isNull()) {
                button.Strip = toSkinFormat(strip);
                button.FrameWidth = button.Strip.width() / (triple_ ? 6 : 3);
                source = QRect(0, 0, button.FrameWidth, button.Strip.height());
                if (triple_ && !active)
                    source.translate(button.Strip.width() / 2, 0);
                work = button.Strip;
            } else {
                work = missingButtonPicture();
                source = work.rect();
            }
        }

        PreviewLayer& layer = button.Layer;
        layer.Name = "Button" + std::to_string(i);
        layer.Kind = LayerKind::Image;
        layer.Transparent = true;
        layer.Image = work.isNull() ? QImage() : work.copy(source);
        layer.Rect = QRect(QPoint(0, 0), source.size());
        // A button the author just added is shown: hidden, it would look as if the
        // addition had not worked.
        layer.Visible = firstLoad || std::size_t(i) >= visible.size() || visible[std::size_t(i)];
        button.CombineOp = document.ReadInteger(section, "CombineOp", -1);
        const QString n = QString::number(i);
        button.Hint = QStringLiteral("Drag to change button ") + n + QStringLiteral(" position.") + QChar('\n') +
                      QStringLiteral("Click to switch to Button") + n + QStringLiteral(" section.") + QChar('\n') +
                      QStringLiteral("Doubleclick to edit BUTTON image.");
        order_.push_back(i);
    }
    loaded_ = true;
}

void TTitleButtons::RePaint(TUisFile& document, const ButtonFrame& frame)
{
    for (int i = 0; i < Count(); ++i) {
        TitleButton& button = buttons_[std::size_t(i)];
        const std::string section = buttonSection(i);
        const QPoint coordinates(bounded(document.ReadInteger(section, "XCoord", 0)),
                                 bounded(document.ReadInteger(section, "YCoord", 0)));
        const QPoint at = placeButton(document.ReadInteger(section, "Align", 0), coordinates, frame,
                                      button.Layer.Rect.topLeft());
        button.Layer.Rect.moveTopLeft(at);
        button.CombineOp = document.ReadInteger(section, "CombineOp", -1);
    }
}

void TTitleButtons::ChangeState(int index, int state)
{
    if (index < 0 || index >= Count() || state < kButtonNormal || state > kButtonHot)
        return;
    TitleButton& button = buttons_[std::size_t(index)];
    if (button.Strip.isNull() || button.FrameWidth <= 0)
        return;
    const int base = triple_ && !active_ ? 3 * button.FrameWidth : 0;
    const QRect from(base + (state - 1) * button.FrameWidth, 0, button.FrameWidth, button.Strip.height());
    QImage& image = button.Layer.Image;
    if (image.size() != from.size() || image.format() != kSkinFormat)
        image = QImage(from.size(), kSkinFormat);
    image.fill(kMagenta);
    blit::copy(button.Strip, from, image, QPoint(0, 0));
    BringToFront(index);
}

void TTitleButtons::Show(int index)
{
    if (index >= 0 && index < Count())
        buttons_[std::size_t(index)].Layer.Visible = true;
}

void TTitleButtons::Hide(int index)
{
    if (index >= 0 && index < Count())
        buttons_[std::size_t(index)].Layer.Visible = false;
}

void TTitleButtons::BringToFront(int index)
{
    auto it = std::find(order_.begin(), order_.end(), index);
    if (it == order_.end())
        return;
    order_.erase(it);
    order_.push_back(index);
}

void TTitleButtons::AddTo(PreviewScene& scene, int selected, bool frameShown) const
{
    PreviewLayer frame;
    bool haveFrame = false;
    std::erase_if(scene.Layers, [&](PreviewLayer& layer) {
        if (layer.Kind == LayerKind::SelectionFrame) {
            frame = std::move(layer);
            haveFrame = true;
            return true;
        }
        return buttonOfLayer(layer.Name) >= 0;
    });
    const bool framed = frameShown && selected >= 0 && selected < Count();
    for (int index : order_)
        if (!(framed && index == selected))
            scene.Layers.push_back(buttons_[std::size_t(index)].Layer);
    if (haveFrame) {
        if (framed) {
            const QRect r = buttons_[std::size_t(selected)].Layer.Rect;
            frame.Rect = r.adjusted(-1, -1, 1, 1);
            frame.Visible = true;
        } else {
            frame.Visible = false;
        }
        scene.Layers.push_back(std::move(frame));
    }
    if (framed)
        scene.Layers.push_back(buttons_[std::size_t(selected)].Layer);
}

void addTitleButtons(TUisFile& document, PreviewScene& scene, PixelBudget* budget)
{
    TTitleButtons buttons;
    buttons.Load(document, scene.Active, budget);
    buttons.RePaint(document, buttonFrame(scene, document.FormatVersion() == UisType1p));
    buttons.AddTo(scene, -1, false);
}

}  // namespace sw
