// The preview window: its place kept in the settings file, composing on resize but
// not while Arrange restores the size, the minimum size from the composition and
// the stay-on-top setting.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "preview/PreviewForm.h"
#include "preview/SceneRenderer.h"
#include "store/AcceleratedIniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

namespace sw::test {
namespace {

namespace fs = std::filesystem;

// Runs the event loop until the condition holds or two seconds pass.
bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

struct Settings {
    TempDir dir;
    std::unique_ptr<TAcceleratedIniFile> ini;

    explicit Settings(const std::string& text)
    {
        writeBytes(dir.path() / "sw.ini", text);
        ini = std::make_unique<TAcceleratedIniFile>((dir.path() / "sw.ini").string());
    }
};

TEST(PreviewForm, IsABorderlessWindowCalledPreview)
{
    Settings settings("");
    TPreviewForm form(*settings.ini);
    EXPECT_EQ(form.objectName(), QStringLiteral("PreviewForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));  // PreviewOnTop defaults to true
    EXPECT_EQ(form.size(), QSize(331, 297));
    EXPECT_EQ(form.minimumSize(), QSize(200, 208));
    EXPECT_EQ(form.Scene(), nullptr);
}

TEST(PreviewForm, ArrangeRestoresThePlaceOfItsLookOnlyWhenAsked)
{
    const struct {
        const char* name;
        std::string settings;
        bool active;
        QPoint position;
        QSize size;
    } rows[] = {
        {"inactive place", "[General]\nWindowsSizeRestore=1\n[Windows]\nInactivePreviewLeft=40\nInactivePreviewTop=50\n"
                           "InactivePreviewHeight=260\nInactivePreviewWidth=350\nActivePreviewLeft=1\n",
         false, {40, 50}, {350, 260}},
        {"active place", "[General]\nWindowsSizeRestore=1\n[Windows]\nActivePreviewLeft=60\nActivePreviewTop=70\n"
                         "ActivePreviewHeight=280\nActivePreviewWidth=330\n",
         true, {60, 70}, {330, 280}},
        {"defaults", "[General]\nWindowsSizeRestore=1\n", true, {10, 20}, {300, 300}},
        {"not kept", "[Windows]\nActivePreviewLeft=60\nActivePreviewWidth=330\n", true, {10, 20}, {331, 297}},
    };
    TUisFile document((sampleSkins() / "Tidewater/Tidewater.uis").string());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Settings settings(row.settings);
        TPreviewForm form(*settings.ini);
        form.SetDocument(&document);
        form.move(10, 20);
        form.Arrange(row.active);
        EXPECT_EQ(form.IsActivePreview(), row.active);
        EXPECT_EQ(form.pos(), row.position);
        EXPECT_EQ(form.size(), row.size);
        // Restoring the size does not compose; ReLoadSkin does.
        EXPECT_EQ(form.Scene(), nullptr);
        form.ReLoadSkin();
        ASSERT_NE(form.Scene(), nullptr);
        EXPECT_EQ(form.Scene()->ClientSize, row.size);
        EXPECT_EQ(form.Scene()->Active, row.active);
    }
}

TEST(PreviewForm, ResizingComposesAgainAndTheCompositionSetsTheMinimum)
{
    Settings settings("");
    TUisFile document((sampleSkins() / "Tidewater/Tidewater.uis").string());
    TPreviewForm form(*settings.ini);
    form.SetDocument(&document);
    form.Arrange(true);
    form.ReLoadSkin();
    ASSERT_NE(form.Scene(), nullptr);
    EXPECT_EQ(form.minimumSize(), form.Scene()->MinimumSize);
    EXPECT_EQ(form.minimumWidth(), 203);  // banner 170 + left edge 6 + scroll bar and right edge 22 + 5

    form.show();
    form.resize(420, 360);
    EXPECT_TRUE(waitFor([&] { return form.Scene()->ClientSize == QSize(420, 360); }));
    EXPECT_EQ(form.Scene()->Layer("ImageRight").Rect.left(), 414);
    // Smaller than the minimum is not possible.
    form.resize(100, 100);
    EXPECT_TRUE(waitFor([&] { return form.size() == form.minimumSize(); }));
    EXPECT_EQ(form.Scene()->ClientSize, form.minimumSize());
    form.hide();
}

TEST(PreviewForm, PaintsItsLayerStack)
{
    Settings settings("");
    TUisFile document((sampleSkins() / "Slate/Slate.uis").string());
    TPreviewForm form(*settings.ini);
    form.SetDocument(&document);
    form.Arrange(false);
    form.ReLoadSkin();
    ASSERT_NE(form.Scene(), nullptr);
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, RenderScene(*form.Scene()));
}

TEST(PreviewForm, HidingStoresThePlaceAndTheStayOnTopSetting)
{
    const struct {
        const char* name;
        std::string settings;
        bool onTop;
        bool placeKept;
    } rows[] = {
        {"on top, place kept", "[General]\nWindowsSizeRestore=1\n", true, true},
        {"not on top, place not kept", "[General]\nPreviewOnTop=0\n", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Settings settings(row.settings);
        TPreviewForm form(*settings.ini);
        EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), row.onTop);
        form.Arrange(false);
        form.show();
        form.setGeometry(70, 80, 320, 290);
        EXPECT_TRUE(waitFor([&] { return form.size() == QSize(320, 290); }));
        form.hide();
        EXPECT_EQ(settings.ini->ReadString("General", "PreviewOnTop", ""), row.onTop ? "1" : "0");
        EXPECT_EQ(settings.ini->ReadString("Windows", "InactivePreviewLeft", ""), row.placeKept ? "70" : "");
        EXPECT_EQ(settings.ini->ReadString("Windows", "InactivePreviewTop", ""), row.placeKept ? "80" : "");
        EXPECT_EQ(settings.ini->ReadString("Windows", "InactivePreviewHeight", ""), row.placeKept ? "290" : "");
        EXPECT_EQ(settings.ini->ReadString("Windows", "InactivePreviewWidth", ""), row.placeKept ? "320" : "");
    }
}

}  // namespace
}  // namespace sw::test
