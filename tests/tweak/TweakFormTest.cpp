#include "tweak/MainForm.h"

#include "engine/EngineSettings.h"

#include "TweakEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <map>

namespace sw::tweak {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

class TweakFormTest : public test::TweakEnvironment {
protected:
    TweakFormTest()
    {
        // The sample picture and the engine's background are there, so nothing is reported.
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(QString::fromStdString((programFolderPath / "tvx.jpg").string()), "BMP");
        picture.save(QString::fromStdString((engineFolder / "vx.bmp").string()), "BMP");
        Registry().writeString(kEngineSettingsKey, "VX", (engineFolder / "vx.bmp").string());
    }
    template <class T>
    T* child(TMainForm& form, const char* name)
    {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(TweakFormTest, EveryNodeShowsItsPageAndProgramsAreListedOnce)
{
    writeBytes(engineFolder / "vxdbg.ini", "[Notepad.exe]\r\nActiveFix=1\r\n[calc.exe]\r\nNoSize=1\r\n");
    writeBytes(engineFolder / "vxPerApp.ini", "[NOTEPAD.EXE]\r\nSkin=Tidewater\r\n[Zed.exe]\r\nSkin=A\r\n");
    TMainForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("VX Tweak"));
    EXPECT_EQ(form.CurrentPage(), PageAbout);
    struct Case {
        const char* node;
        int page;
    } cases[] = {{"Available Skins", PageNotice}, {"Miscelaneous", PageHidden},
                 {"Internet Explorer", PageToolbars}, {"Basic Format", PageNotice},
                 {"Explorer", PageExplorer}, {"Colors", PageExplorerColours},
                 {"Bitmaps", PageExplorerBitmap}, {"Per App Settings", PagePerApp},
                 {"calc.exe", PageNotice}, {"About", PageAbout}};
    auto* tree = child<QTreeWidget>(form, "TreeView");
    for (const Case& c : cases) {
        QTreeWidgetItem* node = form.NodeFor(QString::fromLatin1(c.node));
        ASSERT_NE(node, nullptr) << c.node;
        tree->setCurrentItem(node);
        EXPECT_EQ(form.CurrentPage(), c.page) << c.node;
    }
    QTreeWidgetItem* perApp = form.NodeFor(QStringLiteral("Per App Settings"));
    QStringList programs;
    for (int i = 0; i < perApp->childCount(); ++i)
        programs << perApp->child(i)->text(0);
    EXPECT_EQ(programs, (QStringList{QStringLiteral("calc.exe"), QStringLiteral("Notepad.exe"), QStringLiteral("Zed.exe")}));
    EXPECT_TRUE(prompts.shown().empty()) << describePrompt(prompts.shown().front()).toStdString();
}

TEST_F(TweakFormTest, ApplyStaysOpenAndDisabledUntilTheNextChangeAndOkCloses)
{
    TMainForm form;
    form.show();
    auto* apply = child<QPushButton>(form, "btnApply");
    auto* combo = child<QComboBox>(form, "ComboBoxTransparencyColor");
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(combo->currentIndex(), 7);
    EXPECT_FALSE(combo->isEnabled());  // the background is regular
    EXPECT_TRUE(child<QRadioButton>(form, "RadioButtonRegular")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(form, "CheckBoxExplorerColour")->isChecked());
    EXPECT_FALSE(child<QLabel>(form, "LabelExplorerColourPreview")->isEnabled());
    EXPECT_EQ(child<QLabel>(form, "LabelExplorerColourSample")->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));

    child<QRadioButton>(form, "RadioButtonTransparent")->setChecked(true);
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_TRUE(combo->isEnabled());
    combo->setCurrentIndex(2);
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(engineValue("ExpTrans"), "1");
    EXPECT_EQ(engineValue("transBCOL"), "2");
    EXPECT_EQ(channel.codes, std::vector<int>{kEngineReload});

    child<QCheckBox>(form, "CheckBoxExplorerColour")->setChecked(true);
    EXPECT_TRUE(apply->isEnabled());
    form.chooseColour = [](const QColor&) { return QColor(10, 20, 30); };
    form.LabelExplorerColourPreviewClick();
    child<QPushButton>(form, "btnOK")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(engineValue("DoExplorerColour"), "1");
    EXPECT_EQ(engineValue("ExpR"), "10");
    EXPECT_EQ(engineValue("ExpG"), "20");
    EXPECT_EQ(engineValue("ExpB"), "30");
    EXPECT_EQ(channel.codes.size(), 2u);
}

// OK without a change writes no value: every byte of the registry stand-in and of
// vx.ini stays, however a value is spelt ("1x2"), far out of range (300) or decided by
// another (a stretched background over ExpTrans=1). The engine is still told to reload.
TEST_F(TweakFormTest, OkWithoutAChangeLeavesEveryValueAsItWas)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> engineValues;
        std::vector<std::pair<const char*, const char*>> toolbarValues;
        bool synchronizer;
        const char* vxIni;
    } cases[] = {
        {"odd values",
         {{"ExpTrans", "1"}, {"stretchBitmaps", "1"}, {"transBCOL", "1x2"}, {"DoExplorerColour", "1"},
          {"ExpR", "300"}, {"ExpG", "-4"}, {"ExpB", "x"}},
         {{"BackBitmap", "a.bmp"}, {"BackBitmapIE5", "b.bmp"}, {"SkinwrightBackBitmapEnable", "1"}},
         false, "[Global]\r\nSizeLimit=01\r\nNoSound=yes\r\nUseHWAcc=1\r\n"},
        {"nothing stored", {}, {}, false, nullptr},
        {"synchronizing, pictures left over", {{"transBCOL", " 3"}}, {{"BackBitmap", "a.bmp"}}, true, "[Global]\n"},
    };
    const fs::path vxIni = windowsFolder() / "vx.ini";
    for (const Case& c : cases) {
        fs::remove(vxIni);
        fs::remove_all(temp.path() / "registry");
        Registry registry;
        registry.writeString(kEngineInstallKey, "Path", engineFolder.string());
        registry.writeString(kEngineSettingsKey, "VX", (engineFolder / "vx.bmp").string());
        for (const auto& [name, value] : c.engineValues)
            registry.writeString(kEngineSettingsKey, name, value);
        for (const auto& [name, value] : c.toolbarValues)
            registry.writeString(kToolbarKey, name, value);
        if (c.synchronizer)
            registry.writeString(kRunKey, kSynchronizerValue, "elsewhere\\ExpSync.exe /monitor");
        if (c.vxIni)
            writeBytes(vxIni, c.vxIni);
        auto snapshot = [&] {
            std::map<fs::path, std::string> files;
            for (const auto& entry : fs::recursive_directory_iterator(temp.path() / "registry"))
                if (entry.is_regular_file())
                    files[entry.path()] = test::readBytes(entry.path());
            if (fs::exists(vxIni))
                files[vxIni] = test::readBytes(vxIni);
            return files;
        };
        const auto before = snapshot();
        const std::size_t reloads = channel.codes.size();
        TMainForm form;
        form.show();
        child<QPushButton>(form, "btnOK")->click();
        EXPECT_EQ(snapshot(), before) << c.name;
        EXPECT_EQ(channel.codes.size(), reloads + 1) << c.name;
    }
}

TEST_F(TweakFormTest, AMissingSynchronizerIsReportedOnceAndCancelWritesNothing)
{
    recordingShell.setResult(false);
    TMainForm form;
    form.show();
    auto* apply = child<QPushButton>(form, "btnApply");
    // With synchronizing off it is never called, so nothing is reported.
    child<QCheckBox>(form, "CheckBoxSizeLimit")->setChecked(true);
    apply->click();
    EXPECT_TRUE(prompts.shown().empty());
    prompts.answer(PromptAnswer::Ok);
    child<QCheckBox>(form, "CheckBoxSynchronize")->setChecked(true);
    apply->click();
    child<QCheckBox>(form, "CheckBoxNoSound")->setChecked(true);
    apply->click();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.toStdString(),
              "The toolbar synchronizer \"" + (programFolderPath / "ExpSync.exe").string() +
                  "\" could not be started.");
    EXPECT_TRUE(EngineSettings::globalSwitch("NoSound"));

    child<QCheckBox>(form, "CheckBoxWindowLock")->setChecked(true);
    child<QPushButton>(form, "btnCancel")->click();
    EXPECT_FALSE(EngineSettings::globalSwitch("WindowLock"));
}

TEST_F(TweakFormTest, ToolbarFieldsFollowTheirBoxesAndSynchronizingLocksThemOut)
{
    TMainForm form;
    form.show();
    auto* images = child<QCheckBox>(form, "CheckBoxInternetExplorer");
    auto* synchronize = child<QCheckBox>(form, "CheckBoxSynchronize");
    auto* field = child<QLineEdit>(form, "EditIE4Bitmap");
    auto* browse = child<QPushButton>(form, "ButtonIE5Browse");
    struct Case {
        bool images, synchronize;
        bool boxEnabled, fieldsEnabled;
    } cases[] = {{false, false, true, false}, {true, false, true, true}, {true, true, false, false},
                 {false, true, false, false}};
    for (const Case& c : cases) {
        images->setChecked(c.images);
        synchronize->setChecked(c.synchronize);
        EXPECT_EQ(images->isEnabled(), c.boxEnabled) << c.images << c.synchronize;
        EXPECT_EQ(field->isEnabled(), c.fieldsEnabled) << c.images << c.synchronize;
        EXPECT_EQ(browse->isEnabled(), c.fieldsEnabled) << c.images << c.synchronize;
    }
    synchronize->setChecked(false);
    images->setChecked(true);
    prompts.choosePath(QStringLiteral("/pictures/bar.jpg"));
    child<QPushButton>(form, "ButtonIE4Browse")->click();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].dialog.folder.toStdString(), windowsFolder().string());
    EXPECT_EQ(field->text(), QStringLiteral("/pictures/bar.jpg"));
}

TEST_F(TweakFormTest, TheEnginesOwnBackgroundMissingIsNoError)
{
    // No background chosen, and the engine folder has no picture of its own.
    Registry().writeString(kEngineSettingsKey, "ExpTrans", "0");  // the engine stays installed
    Registry().deleteValue(kEngineSettingsKey, "VX");
    fs::remove(engineFolder / "vx.bmp");
    TMainForm form;
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(TweakFormTest, AMissingSamplePictureIsReportedNamingTheFile)
{
    fs::remove(programFolderPath / "tvx.jpg");
    prompts.answer(PromptAnswer::Ok);
    TMainForm form;
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.toStdString(),
              "Cannot open file \"" + (programFolderPath / "tvx.jpg").string() + "\".");
}

}  // namespace
}  // namespace sw::tweak
