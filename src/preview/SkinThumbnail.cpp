#include "preview/SkinThumbnail.h"

#include "document/UisFile.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSettings.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"

namespace sw {

namespace fs = std::filesystem;

QImage renderSkinThumbnail(const fs::path& uisFile, QSize size, const fs::path& personalityFolder, QSize window)
{
    try {
        TUisFile document(uisFile.string(), TUisFile::ReadOnly{});
        if (!personalityFolder.empty())
            document.SetFolder(personalityFolder);
        const int version = document.FormatVersion();
        if (version != UisType2 && version != UisType1p)
            return {};
        TPreviewSources sources;
        // A cache of its own: the shared one would keep every skin's bitmaps alive.
        TImageCache cache;
        PreviewSettings settings;
        settings.LogoMode = 0;  // an author line would be unreadable this small
        sources.LoadSkin(document, settings, cache);
        if (!sources.PreviewAvailable)
            return {};
        auto scene = ComposePreview(document, sources, window, true, CompositionOptions{0, nullptr});
        if (!scene)
            return {};
        addTitleButtons(document, *scene, &sources.Budget);
        const QImage full = RenderScene(*scene);
        if (full.isNull())
            return {};
        return full.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace sw
