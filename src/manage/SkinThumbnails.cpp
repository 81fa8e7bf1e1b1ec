#include "manage/SkinThumbnails.h"

#include "document/UisFile.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSettings.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"

namespace sw {

namespace fs = std::filesystem;

QImage renderSkinThumbnail(const fs::path& uisFile, QSize size)
{
    try {
        TUisFile document(uisFile.string());
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
        // A window a little wider than tall shows the caption, buttons and edges.
        auto scene = ComposePreview(document, sources, QSize(150, 70), true, CompositionOptions{0, nullptr});
        if (!scene)
            return {};
        addTitleButtons(document, *scene);
        const QImage full = RenderScene(*scene);
        if (full.isNull())
            return {};
        return full.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } catch (const std::exception&) {
        return {};
    }
}

QImage SkinThumbnails::get(const fs::path& uisFile)
{
    std::error_code ec;
    const auto time = fs::last_write_time(uisFile, ec);
    const auto size = ec ? 0 : fs::file_size(uisFile, ec);
    if (ec)
        return {};
    Entry& entry = entries_[uisFile.string()];
    if (entry.time == time && entry.size == size && entry.time != fs::file_time_type{})
        return entry.image;
    entry = {time, size, renderSkinThumbnail(uisFile)};
    ++drawn_;
    return entry.image;
}

bool SkinThumbnails::cached(const fs::path& uisFile) const
{
    std::error_code ec;
    const auto time = fs::last_write_time(uisFile, ec);
    const auto size = ec ? 0 : fs::file_size(uisFile, ec);
    const auto found = entries_.find(uisFile.string());
    return !ec && found != entries_.end() && found->second.time == time && found->second.size == size;
}

SkinThumbnails& SkinThumbnails::shared()
{
    static SkinThumbnails cache;
    return cache;
}

}  // namespace sw
