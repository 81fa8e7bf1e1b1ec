// TPreviewForm: a borderless, resizable window that shows the open personality as a
// skinned dialog. The editor keeps two, one with the active look and one with the
// inactive look; each composes its layers on every resize and paints them.
#pragma once

#include "preview/FrameAnimation.h"
#include "preview/PreviewScene.h"
#include "preview/PreviewSources.h"
#include "preview/TitleButtons.h"

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>

class QMenu;
class QTimer;

namespace sw {

class TCustomIniFile;
class TUisFile;

// A new preview window's size (its client area; it has no frame).
inline constexpr QSize kPreviewSize(331, 297);

class TPreviewForm : public QWidget {
    Q_OBJECT
public:
    // The settings file is the editor's (sections General and Windows); it must
    // outlive the window.
    explicit TPreviewForm(TCustomIniFile& settings, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // The document shown; nullptr when none is open. It must outlive its use here.
    void SetDocument(TUisFile* document);
    TUisFile* Document() const { return document_; }

    // Makes this the active (main) or the inactive (second) preview and, when the
    // editor keeps window places, restores its position and size. Does not compose.
    void Arrange(bool active);
    bool IsActivePreview() const { return active_; }

    // Loads the source bitmaps of the document.
    void LoadSkin();
    // LoadSkin, then ConstructPreview.
    void ReLoadSkin();
    // Composes the layers for the current size (nothing while the preview is not
    // available: the last picture stays) and sets the window's minimum size.
    void ConstructPreview();

    // The last composition, if any.
    const PreviewScene* Scene() const { return scene_ ? &*scene_ : nullptr; }
    const TPreviewSources& Sources() const { return sources_; }

    // --- Title-bar buttons ---
    void LoadButtons();
    void RePaintButtons();
    void ChangeButtonState(int index, int state);
    void ShowButton(int index);
    void HideButton(int index);
    const TTitleButtons& Buttons() const { return buttons_; }
    // The button selected in the explorer (-1 for none), shared by both previews.
    static int SelectedButton() { return selectedButton_; }
    static void SetSelectedButton(int index) { selectedButton_ = index; }
    // Shows the blinking frame on the selected button, or hides it.
    void BevelRealign();
    bool BevelShown() const { return bevelShown_; }
    void BevelTimerTimer();
    // The mouse on a button, in client coordinates.
    void ButtonMouseDown(int index, QPoint at);
    void ButtonMouseMove(QPoint at);
    void ButtonMouseUp(QPoint at);
    // Writes the coordinates of a button from where its layer lies now.
    void ButtonReleased(int index);
    // Shows a warning; a message box unless replaced (tests replace it).
    std::function<void(const QString& text, const QString& caption)> Warn;

    // --- Hot tracking and the layer's bitmap ---
    void ImageHotTrackClick(const std::string& layer);
    // The file an action opens for a layer: the attribute's value after the skins root.
    QString ImageFile(const std::string& layer);
    void ImageAction(const std::string& layer, int action);
    QMenu* PopupMenuImage() const { return popupMenuImage_; }

    // --- Window shape ---
    void SetWindowRegion();
    void CombineButtons();
    // The shape last given to the window; nothing while it is a plain rectangle.
    const std::optional<QRegion>& WindowShape() const { return shape_; }

    // --- Animation ---
    bool AnimationAllowed();
    void Animate(bool on);
    bool Animating() const { return animating_; }
    void TimerAnimationTimer();
    void FastPaint();
    const std::array<int, 4>& AnimationFrames() const { return frames_; }
    QTimer* TimerAnimation() const { return timerAnimation_; }
    // The window's picture as last painted (the scene, or the quick repaint over it).
    const QImage& Picture();

    // --- Banner effects ---
    void SetBannerEffect(RasterOp op);
    RasterOp BannerEffect() const { return bannerOp_; }
    void SetFilterColor(QRgb colour);
    QRgb FilterColor() const { return bannerColour_; }
    QMenu* BannerPopupMenu() const { return bannerMenu_; }

    // --- Moving and resizing by the window's own edges ---
    // Drag mode: 0 none, 2 move, 4 horizontally, 8 vertically, 16 both ways.
    int DragModeFor(const std::string& layer, QPoint at) const;
    void FormMouseDown(QPoint at, QPoint global);
    void FormMouseMove(QPoint at, QPoint global);
    void FormMouseUp();
    // Arrow keys: the selected button, else the window, by one pixel.
    void Nudge(int dx, int dy);

signals:
    // A new composition is in place (title-bar buttons and the window shape follow it).
    void Composed();
    // A layer asks the explorer to select a section (empty: the root) and an attribute.
    void HotTrack(const QString& section, const QString& attribute);
    // A text for the explorer's status bar.
    void StatusText(const QString& text);
    // The cursor over the preview, in client coordinates.
    void CursorOver(QPoint at);
    // The document was changed here (the main window marks it modified).
    void DocumentChanged();
    // The window moved by delta; it lost the activation.
    void Moved(QPoint delta);
    void Deactivated();
    // A button moved by (dx, dy): the buttons chained to it follow.
    void ButtonShifted(int index, int dx, int dy);
    // New XCoord and YCoord of a button are in the document.
    void ButtonCoordinatesWritten(int index);
    // The edge a click asks the size bar for (0 top, 1 bottom, 2 left, 3 right; -1 hides it).
    void SizeBarRequested(int edge);
    // "Show Buttons Patette" was chosen.
    void ButtonsPaletteRequested(bool show);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setOnTop(bool onTop);
    bool onTopWhileBlocked_ = false;
    void FormShow();
    void FormHide();
    QString placeKey(const char* name) const;
    void refreshLayers();
    void buildMenus();
    ButtonFrame currentButtonFrame() const;
    void applyBanner();

    static int selectedButton_;
    TTitleButtons buttons_;
    int pressedButton_ = -1;
    bool dragging_ = false, moved_ = false;
    QPoint pressAt_;
    QPoint layerAtPress_;
    bool bevelShown_ = false;
    bool bevelInverted_ = false;
    QTimer* bevelTimer_ = nullptr;
    std::string lastLayer_;
    QMenu* popupMenuImage_ = nullptr;

    std::optional<QRegion> shape_;

    QTimer* timerAnimation_ = nullptr;
    bool animating_ = false;
    std::array<int, 4> frames_{};
    AnimationBuffers animationBuffers_;
    bool fastPainted_ = false;

    RasterOp bannerOp_ = RasterOp::Nop;
    QRgb bannerColour_ = 0xFFFFFF00u;
    QMenu* bannerMenu_ = nullptr;

    int dragMode_ = 0;
    bool resizeFromLeft_ = false;
    QPoint dragGlobal_;
    QRect geometryAtPress_;

    TCustomIniFile& settings_;
    TUisFile* document_ = nullptr;
    TPreviewSources sources_;
    std::optional<PreviewScene> scene_;
    QImage picture_;              // the scene as last painted
    bool pictureCurrent_ = false;
    bool active_ = true;
    bool composeOnResize_ = true;  // detached while Arrange restores the size
    QRgb background_;
};

}  // namespace sw
