// The explorer's two preview windows: made and placed beside the main window, wired
// to the size bar, hot tracking, dragged buttons, the status bar and animation, shown,
// hidden, kept on top and rebuilt.
#include "editor/UISExplorerForm.h"

#include "common/Latin1.h"
#include "document/UisFile.h"
#include "editor/EditorHostWindow.h"
#include "editor/FrmLayers.h"
#include "editor/ZoomView.h"
#include "engine/EditorState.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "preview/WindowPlacement.h"

#include <QAction>
#include <QScreen>
#include <QStatusBar>

namespace sw {

void TUISExplorerForm::createPreviews()
{
    // The size bar's edits recompose both looks and show the new values.
    connect(main_.SizeBar(), &TSizeBarForm::Changed, this, [this] {
        main_.NotifyModification(QStringLiteral("Size Bar"));
        for (TPreviewForm* preview : previews_)
            if (preview)
                preview->ConstructPreview();
        if (sameText(editorState().CurrentSection, TSizeBarForm::EdgeSection(*document_)))
            ReLoadSectionValues();
    });
    const bool restore = main_.Settings().ReadBool("General", "WindowsSizeRestore", false);
    for (int i = 0; i < 2; ++i) {
        auto* preview = new TPreviewForm(main_.Settings());
        preview->setObjectName(i == 0 ? QStringLiteral("PreviewActive") : QStringLiteral("PreviewInactive"));
        preview->SetDocument(document_.get());
        // Unless the places are kept, the two looks stand one above the other beside
        // the main window, clear of the tree and the list where the screen allows.
        if (!restore)
            preview->move(arrangeEditorWindows(availableArea(main_.Window()), main_.Window()->frameGeometry(), false, preview->size())
                              .previews[std::size_t(i)]
                              .topLeft());
        preview->Arrange(i == 0);
        keepOnScreen(preview);
        main_.BindHideAllKey(preview);
        main_.ShareKeys(preview);
        connectPreview(preview);
        preview->ReLoadSkin();
        preview->show();
        previews_[i] = preview;
    }
    UpdateAnimationAvailability();
    createLayers();
}

void TUISExplorerForm::connectPreview(TPreviewForm* preview)
{
    connect(preview, &TPreviewForm::HotTrack, this, [this](const QString& section, const QString& attribute) {
        if (section.isEmpty()) {
            SelectRoot();
            AttributeSelect(editorState().CurrentSection, toBytes(attribute));
        } else {
            AttributeSelect(toBytes(section), toBytes(attribute));
        }
    });
    connect(preview, &TPreviewForm::StatusText, this, [this](const QString& text) { ShowStatus(text); });
    connect(preview, &TPreviewForm::CursorOver, this,
            [this, preview](QPoint at) { Zoom->SetCentre(at, preview->IsActivePreview()); });
    connect(preview, &TPreviewForm::DocumentChanged, this, [this] { main_.NotifyModification(QStringLiteral("Move Button")); });
    connect(preview, &TPreviewForm::ButtonCoordinatesWritten, this, [this](int index) {
        const bool combined = document_ && document_->ReadInteger("BUTTON" + std::to_string(index), "CombineOp", -1) >= 0;
        for (TPreviewForm* other : previews_) {
            if (!other)
                continue;
            other->RePaintButtons();
            if (combined)
                other->SetWindowRegion();
        }
        ReLoadSectionValues();
    });
    connect(preview, &TPreviewForm::Composed, this, [this] { UpdateAnimationAvailability(); });
    connect(preview, &TPreviewForm::SizeBarRequested, this, [this, preview](int edge) { ShowSizeBar(preview, edge); });
    // The size bar stays beside the edge it edits: it moves with its preview and goes
    // when that preview loses the activation to anything but the bar itself.
    connect(preview, &TPreviewForm::Moved, this, [this, preview](QPoint delta) {
        TSizeBarForm* bar = main_.SizeBar();
        if (sizeBarOwner_ == preview && bar->isVisible())
            bar->move(bar->pos() + delta);
    });
    connect(preview, &TPreviewForm::Deactivated, this, [this, preview] {
        TSizeBarForm* bar = main_.SizeBar();
        if (sizeBarOwner_ == preview && !bar->isActiveWindow())
            bar->hide();
    });
}

void TUISExplorerForm::ShowSizeBar(TPreviewForm* preview, int edge)
{
    TSizeBarForm* bar = main_.SizeBar();
    if (edge < 0 || !editorState().RulersVisible || !preview->Scene()) {
        bar->hide();
        return;
    }
    static const char* layers[] = {"ImageTop", "ImageBottom", "ImageLeft", "ImageRight"};
    const PreviewLayer* layer = preview->Scene()->Find(layers[edge]);
    if (!layer)
        return;
    const TPreviewSources& sources = preview->Sources();
    const QImage& source = edge == 0 ? sources.Top : edge == 1 ? sources.Bottom : edge == 2 ? sources.Left : sources.Right;
    QRect onScreen(preview->mapToGlobal(layer->Rect.topLeft()), layer->Rect.size());
    sizeBarOwner_ = preview;
    const std::string edges = TSizeBarForm::EdgeSection(*document_);
    if (!sameText(editorState().CurrentSection, edges))
        SectionChange(edges);
    bar->ShowFor(document_.get(), edge, onScreen, edge < 2 ? source.width() : source.height(),
                 preview->IsActivePreview());
}

void TUISExplorerForm::UpdateAnimationAvailability()
{
    const bool allowed = previews_[0] && previews_[0]->AnimationAllowed();
    for (const char* name : {"ToolButtonAnimate", "WindowAnimateItem"})
        if (QAction* action = main_.Action(QString::fromLatin1(name))) {
            action->setEnabled(allowed);
            if (!allowed)
                action->setChecked(false);
        }
}

void TUISExplorerForm::AnimatePreviews(bool on)
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->Animate(on);
}
void TUISExplorerForm::destroyPreviews()
{
    if (layers_)
        layers_->hide();  // keeps its place for the next document
    delete layers_;       // it works on the previews
    layers_ = nullptr;
    sizeBarOwner_ = nullptr;
    for (TPreviewForm*& preview : previews_) {
        delete preview;
        preview = nullptr;
    }
}

void TUISExplorerForm::ReloadPreviews()
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->ReLoadSkin();
}

void TUISExplorerForm::ShowPreviews(bool shown)
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->setVisible(shown);
}

bool TUISExplorerForm::PreviewsVisible() const
{
    return previews_[0] && previews_[0]->isVisible();
}

void TUISExplorerForm::SetPreviewsOnTop(bool onTop)
{
    for (TPreviewForm* preview : previews_) {
        if (!preview)
            continue;
        bool visible = preview->isVisible();
        preview->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        // Changing the flags hides a window (shown again, it keeps out of the focus).
        preview->setVisible(visible);
    }
}

}  // namespace sw
