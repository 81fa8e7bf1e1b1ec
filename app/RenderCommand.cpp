#include "RenderCommand.h"

#include "CommandLine.h"
#include "document/UisFile.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"

#include "store/FileBytes.h"
#include "store/LockedFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageWriter>

#include <cctype>
#include <filesystem>
#include <memory>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kLargestSide = 16384;

// Fonts need a GUI application; without one, an offscreen one serves this call.
std::unique_ptr<QGuiApplication> ensureGuiApplication(std::ostream& err)
{
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            err << "skinwrt: render: the running application cannot draw text\n";
        return nullptr;
    }
    static int argc = 3;
    static char program[] = "skinwrt", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {program, option, platform, nullptr};
    // The application takes the options it knows out of the list: each call (one per
    // render in a process that runs several) hands them over again.
    argc = 3;
    argv[0] = program;
    argv[1] = option;
    argv[2] = platform;
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The first edge bitmap that cannot be read, as "LEFT edge bitmap PATH".
// The first edge the preview could not draw, with the reason the loading gave.
std::string missingEdge(TUisFile& document, const TPreviewSources& sources)
{
    for (const char* side : {"LEFT", "RIGHT", "TOP", "BOTTOM"}) {
        const fs::path file = document.FrameBitmapPath(side);
        const std::string named = std::string(side) + " edge bitmap " +
                                  (file.empty() ? std::string("(none named)") : file.string());
        std::error_code ec;
        if (file.empty() || !fs::is_regular_file(file, ec))
            return named;
        const std::string prefix = file.string() + ": ";
        for (const std::string& refused : sources.Refused)
            if (refused.rfind(prefix, 0) == 0)
                return named + ": " + refused.substr(prefix.size());
    }
    return "edge bitmaps";
}

}  // namespace

std::string refusedOutput(const std::string& uisFile, const std::string& pngOut)
{
    std::error_code ec;
    if (fs::exists(pngOut, ec) && fs::equivalent(uisFile, pngOut, ec))
        return "will not write the picture over the personality file it is drawn from";
    std::string extension = fs::path(pngOut).extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".uis")
        return "will not write a picture into a personality file (.uis); name a .png file";
    return {};
}

int renderPreviewToPng(const std::string& uisFile, const std::string& pngOut, int width, int height, bool inactive,
                       std::ostream& err)
{
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
        err << "skinwrt: render: size " << width << "x" << height << " is not between 1x1 and " << kLargestSide
            << "x" << kLargestSide << "\n";
        return ExitError;
    }
    std::error_code ec;
    if (!fs::is_regular_file(uisFile, ec)) {
        err << "skinwrt: " << uisFile << ": " << (fs::exists(uisFile, ec) ? "not a file" : "no such file") << "\n";
        return ExitError;
    }
    if (std::string refusal = refusedOutput(uisFile, pngOut); !refusal.empty()) {
        err << "skinwrt: " << pngOut << ": " << refusal << "\n";
        return ExitError;
    }
    const auto application = ensureGuiApplication(err);
    if (!application && !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return ExitError;

    try {
        // A bare file name would otherwise be looked for in the Windows folder.
        const fs::path absolute = fs::absolute(uisFile, ec);
        TUisFile document(ec ? uisFile : absolute.string(), TUisFile::ReadOnly{});
        const int version = document.FormatVersion();
        if (version != UisType2 && version != UisType1p) {
            err << "skinwrt: " << uisFile << ": no preview for this format (only UIS 2 and UIS 1+ files have one)\n";
            return ExitError;
        }
        TPreviewSources sources;
        TImageCache cache;
        sources.LoadSkin(document, PreviewSettings{}, cache);
        if (!sources.PreviewAvailable) {
            err << "skinwrt: " << uisFile << ": cannot read the " << missingEdge(document, sources) << "\n";
            return ExitError;
        }
        // Pictures left out are named, so a picture missing from the PNG has a reason.
        for (const std::string& refused : sources.Refused)
            err << "skinwrt: " << refused << "; not drawn\n";
        auto scene = ComposePreview(document, sources, QSize(width, height), !inactive);
        if (scene)
            addTitleButtons(document, *scene, &sources.Budget);
        const QImage picture = scene ? RenderScene(*scene) : QImage();
        // Encoded in memory first and then put in place whole, so a failed write (a full
        // disk) leaves an older picture as it was.
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        QImageWriter writer(&encoded, "png");
        if (picture.isNull() || !writer.write(picture)) {
            err << "skinwrt: " << pngOut << ": cannot write the picture (" << writer.errorString().toStdString()
                << ")\n";
            return ExitError;
        }
        const QByteArray& bytes = encoded.data();
        try {
            writeFileAtomically(pngOut, {std::string_view(bytes.constData(), std::size_t(bytes.size()))});
        } catch (const EFileWriteError& error) {
            err << "skinwrt: " << pngOut << ": cannot write the picture (" << error.reason() << ")\n";
            return ExitError;
        }
    } catch (const std::exception& error) {
        err << "skinwrt: " << uisFile << ": " << error.what() << "\n";
        return ExitError;
    }
    return ExitOk;
}

}  // namespace sw
