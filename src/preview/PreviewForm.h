// TPreviewForm: a borderless, resizable window that shows the open personality as a
// skinned dialog. The editor keeps two, one with the active look and one with the
// inactive look; each composes its layers on every resize and paints them.
#pragma once

#include "preview/PreviewScene.h"
#include "preview/PreviewSources.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace sw {

class TCustomIniFile;
class TUisFile;

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

signals:
    // A new composition is in place (title-bar buttons and the window shape follow it).
    void Composed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    QString placeKey(const char* name) const;

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
