#include "manage/PropertiesForm.h"

#include "common/CodeStyles.h"

#include "document/UisFile.h"
#include "engine/EngineSettings.h"
#include "engine/ExplorerSettings.h"
#include "engine/SelfExclusion.h"
#include "manage/PropertiesColorGrid.h"
#include "preview/PreviewForm.h"

#include "ManageEnvironment.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <functional>
#include <map>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeFile;

class PropertiesFormTest : public test::ManageEnvironment {
protected:
    std::unique_ptr<TAcceleratedIniFile> settings = settingsFile();

    PropertiesContext context()
    {
        PropertiesContext c;
        c.settings = settings.get();
        c.programPath = QString::fromStdString((programFolderPath / "skinwrt").string());
        c.programFolder = programFolderPath;
        c.engineFolder = engineFolder;
        return c;
    }
    template <class T>
    static T* child(QWidget& form, const char* name)
    {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QRadioButton* radio(QWidget& form, const char* group, int index)
    {
        return child<QRadioButton>(form, qPrintable(QString::fromLatin1(group) + QString::number(index)));
    }
};

// Every default is shown, and OK puts them all into sw.ini on disk at once (not only when
// the program ends); the engine's files, which nobody changed here, get nothing.
TEST_F(PropertiesFormTest, AnEmptySettingsFileShowsEveryDefaultAndOkWritesThemAll)
{
    TPropertiesForm form(context(), TPropertiesForm::AllPages);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preferences"));
    EXPECT_EQ(form.CurrentPage(), TPropertiesForm::PageProgram);
    EXPECT_EQ(child<QLineEdit>(form, "EditSkinName")->text(), QStringLiteral("Default Skin Name"));
    EXPECT_EQ(child<QComboBox>(form, "ComboBoxMaxRecent")->currentText(), QStringLiteral("4"));
    EXPECT_FALSE(child<QCheckBox>(form, "CheckBoxWindowsSizeRestore")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(form, "CheckBoxDesktopState")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(form, "CheckBoxExclusion")->isChecked());  // missing counts as on
    EXPECT_FALSE(child<QCheckBox>(form, "CheckBoxAssociate")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form, "RadioButtonRegular")->isChecked());
    EXPECT_EQ(child<QComboBox>(form, "ComboBoxTransparency")->currentText(), QStringLiteral("cyan"));
    EXPECT_TRUE(radio(form, "RadioGroupLogo", 1)->isChecked());
    EXPECT_TRUE(radio(form, "RadioGroupShotFormat", 2)->isChecked());
    EXPECT_TRUE(radio(form, "RadioGroupEditMode", 2)->isChecked());
    EXPECT_TRUE(radio(form, "RadioGroupEditButton", 0)->isChecked());
    EXPECT_FALSE(child<QLineEdit>(form, "EditCustomEditor")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(form, "ButtonApply")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(form, "ButtonApplyToSkin")->isEnabled());  // no document
    EXPECT_FALSE(child<QPushButton>(form, "ButtonTakeShot")->isEnabled());

    child<QPushButton>(form, "ButtonOK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const std::string written = readBytes(temp.path() / "sw.ini");
    for (const char* line : {"LogoMode=1\r\n", "ShowPreviewTransparrency=1\r\n", "WindowsSizeRestore=0\r\n",
                             "LoadRecentlyEdited=0\r\n", "DesktopState=1\r\n", "MaxRecent=4\r\n",
                             "DescriptiveNames=1\r\n", "AttributesHotTrack=1\r\n", "SkinShotFormat=2\r\n",
                             "SkinName=Default Skin Name\r\n", "EnableHighLighting=1\r\n", "CommentColorIndex=7\r\n",
                             "CustomEditor=\r\n", "EditMode=2\r\n", "EditButtonMode=0\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    EXPECT_EQ(written.find("LogoImage"), std::string::npos);  // only with the logo picture mode
    Registry registry;
    for (const char* name : {"ExpTrans", "stretchBitmaps", "transBCOL", "DoExplorerColour", "ExpB"})
        EXPECT_FALSE(registry.valueExists(kEngineSettingsKey, name)) << name;
    // No per-program file of the engine: none is made just to say what it would default to.
    EXPECT_FALSE(fs::exists(engineFolder / "vxdbg.ini"));
    EXPECT_FALSE(fs::exists(windowsFolder() / "vx.ini"));
}

TEST_F(PropertiesFormTest, StoredValuesAreShownAndApplyStaysOpen)
{
    writeFile(temp.path() / "sw.ini",
               "[General]\r\nMaxRecent=7\r\nEditMode=3\r\nCustomEditor=/usr/bin/gimp\r\nLogoMode=2\r\n"
               "[Author]\r\nSkinAuthor=Me\r\n");
    settings = settingsFile();
    Registry().writeString(kEngineSettingsKey, "ExpTrans", "1");
    Registry().writeString(kEngineSettingsKey, "transBCOL", "1x2");
    Registry().writeString(kEngineSettingsKey, "DoExplorerColour", "1");
    Registry().writeString(kEngineSettingsKey, "ExpR", "10");
    TPropertiesForm form(context(), TPropertiesForm::AllPages);
    form.show();
    EXPECT_EQ(child<QComboBox>(form, "ComboBoxMaxRecent")->currentText(), QStringLiteral("7"));
    EXPECT_EQ(child<QLineEdit>(form, "EditSkinAuthor")->text(), QStringLiteral("Me"));
    EXPECT_TRUE(child<QLineEdit>(form, "EditCustomEditor")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form, "ButtonLogoBrowse")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(form, "RadioButtonTransparent")->isChecked());
    EXPECT_EQ(child<QComboBox>(form, "ComboBoxTransparency")->currentIndex(), 12);
    EXPECT_TRUE(child<QComboBox>(form, "ComboBoxTransparency")->isEnabled());

    auto* apply = child<QPushButton>(form, "ButtonApply");
    writeFile(engineFolder / "vxdbg.ini", "[Other.exe]\r\nNoSize=1\r\n");
    child<QCheckBox>(form, "CheckBoxToolbarImages")->setChecked(true);
    child<QLineEdit>(form, "EditBackBitmap")->setText(QStringLiteral("/pictures/bar.bmp"));
    child<QComboBox>(form, "ComboBoxMaxRecent")->setCurrentIndex(0);
    EXPECT_TRUE(apply->isEnabled());
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(settings->ReadInteger("General", "MaxRecent", 0), 1);
    Registry registry;
    EXPECT_EQ(registry.read(kToolbarKey, "BackBitmap"), "/pictures/bar.bmp");
    EXPECT_EQ(registry.read(kToolbarKey, "SkinwrightBackBitmapEnable"), "1");
    // Values read leniently and not touched keep their own text.
    EXPECT_EQ(registry.read(kEngineSettingsKey, "transBCOL"), "1x2");
    EXPECT_EQ(registry.read(kEngineSettingsKey, "ExpR"), "10");
    EXPECT_FALSE(registry.valueExists(kEngineSettingsKey, "ExpB"));
    EXPECT_EQ(readBytes(engineFolder / "vxdbg.ini"), "[Other.exe]\r\nNoSize=1\r\n");
    EXPECT_NE(readBytes(temp.path() / "sw.ini").find("MaxRecent=1\r\n"), std::string::npos);

    // Cancel stores nothing.
    child<QComboBox>(form, "ComboBoxMaxRecent")->setCurrentIndex(5);
    child<QPushButton>(form, "ButtonCancel")->click();
    EXPECT_EQ(settings->ReadInteger("General", "MaxRecent", 0), 1);
}

// Every file of this test's world but sw.ini, by path: the registry stand-in, vx.ini,
// vxdbg.ini, the association's files.
std::map<fs::path, std::string> filesBesideSettings(const fs::path& root)
{
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() != "sw.ini")
            files[entry.path()] = readBytes(entry.path());
    return files;
}

// The engine's values and the association are shared with the engine, other programs
// and the user: OK writes only what was changed on the page, so with no change every
// byte stays, however oddly a value is spelt or far out of range it is.
TEST_F(PropertiesFormTest, OkWritesOnlyTheEngineValuesTheUserChanged)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> engineValues;
        std::vector<std::pair<const char*, const char*>> toolbarValues;
        const char* vxIni;
        const char* vxdbgIni;
        std::function<void(TPropertiesForm&)> change;  // none: OK as shown
        std::vector<std::pair<const char*, std::optional<std::string>>> changedValues;
    } cases[] = {
        {"odd values, no change",
         {{"ExpTrans", "1"}, {"stretchBitmaps", "1"}, {"transBCOL", "1x2"}, {"DoExplorerColour", "1"},
          {"ExpR", "300"}, {"ExpG", "-4"}, {"ExpB", "x"}},
         {{"BackBitmap", "a.bmp"}, {"SkinwrightBackBitmapEnable", "1"}},
         "[Global]\r\nSizeLimit=01\r\nNoSound=yes\r\n", "[skinwrt]\r\nActiveFix=1\r\nIgnoreApp=1\r\n", {}, {}},
        {"nothing stored, no change", {}, {}, nullptr, "", {}, {}},
        {"opted out, pictures without the flag, no change", {{"ExpTrans", "0"}}, {{"BackBitmap", "b.bmp"}}, nullptr,
         "[skinwrt]\r\nActiveFix=0\r\n", {}, {}},
        {"the transparency colour alone",
         {{"ExpTrans", "1"}, {"transBCOL", "1x2"}, {"ExpR", "300"}}, {}, nullptr, nullptr,
         [](TPropertiesForm& f) { child<QComboBox>(f, "ComboBoxTransparency")->setCurrentIndex(3); },
         {{"transBCOL", "3"}}},
        {"the background alone", {{"ExpTrans", "1"}, {"stretchBitmaps", "1"}, {"transBCOL", "1x2"}}, {}, nullptr,
         nullptr, [](TPropertiesForm& f) { child<QRadioButton>(f, "RadioButtonRegular")->setChecked(true); },
         {{"ExpTrans", "0"}, {"stretchBitmaps", "0"}}},
    };
    for (const Case& c : cases) {
        fs::remove_all(temp.path() / "registry");
        fs::remove(windowsFolder() / "vx.ini");
        fs::remove(engineFolder / "vxdbg.ini");
        Registry registry;
        registry.writeString(kEngineInstallKey, "Path", engineFolder.string());
        for (const auto& [name, value] : c.engineValues)
            registry.writeString(kEngineSettingsKey, name, value);
        for (const auto& [name, value] : c.toolbarValues)
            registry.writeString(kToolbarKey, name, value);
        if (c.vxIni)
            writeFile(windowsFolder() / "vx.ini", c.vxIni);
        if (c.vxdbgIni)
            writeFile(engineFolder / "vxdbg.ini", c.vxdbgIni);
        std::map<std::string, std::optional<std::string>> expected;
        for (const auto& [name, value] : c.engineValues)
            expected[name] = value;
        for (const auto& [name, value] : c.changedValues)
            expected[name] = value;
        const auto before = filesBesideSettings(temp.path());

        TPropertiesForm form(context(), TPropertiesForm::AllPages);
        form.show();
        if (c.change)
            c.change(form);
        child<QPushButton>(form, "ButtonOK")->click();
        if (!c.change) {
            EXPECT_EQ(filesBesideSettings(temp.path()), before) << c.name;
            continue;
        }
        for (const auto& [name, value] : expected)
            EXPECT_EQ(registry.read(kEngineSettingsKey, name), value) << c.name << ": " << name;
    }

    // Unticking the exclusion writes its explicit "0" in place, and the start-up check
    // keeps that choice instead of adding the editor again.
    writeFile(engineFolder / "vxdbg.ini", "[skinwrt]\r\nActiveFix=1\r\n; mine\r\n");
    EngineSettings engine(engineFolder);
    ASSERT_TRUE(selfExclusionNeeded(engine, context().programPath));
    TPropertiesForm form(context(), TPropertiesForm::AllPages);
    form.show();
    child<QCheckBox>(form, "CheckBoxExclusion")->setChecked(false);
    child<QPushButton>(form, "ButtonOK")->click();
    EXPECT_EQ(readBytes(engineFolder / "vxdbg.ini"), "[skinwrt]\r\nActiveFix=0\r\n; mine\r\n");
    EXPECT_FALSE(selfExclusionNeeded(engine, context().programPath));
}

TEST_F(PropertiesFormTest, EachWayOfOpeningShowsItsPages)
{
    struct Case {
        TPropertiesForm::Mode mode;
        const char* caption;
        int current;
        std::vector<int> visible;
    } cases[] = {
        {TPropertiesForm::AllPages, "Preferences", TPropertiesForm::PageProgram, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {TPropertiesForm::PluginManager, "Plugin Manager", TPropertiesForm::PagePlugins, {8}},
        {TPropertiesForm::SkinShotWizard, "Create SkinShot Wizard", TPropertiesForm::PageSkinshot, {5, 6}},
        {TPropertiesForm::EnginePage, "Preferences", TPropertiesForm::PageTweakVX, {2, 3, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        TPropertiesForm form(context(), c.mode);
        EXPECT_EQ(form.windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(form.CurrentPage(), c.current) << c.caption;
        std::vector<int> visible;
        for (int page = 0; page < TPropertiesForm::PageCount; ++page)
            if (form.PageVisible(page))
                visible.push_back(page);
        EXPECT_EQ(visible, c.visible) << c.caption;
    }
}

TEST_F(PropertiesFormTest, CodeViewStylesFollowTheListTheBoxesAndTheGrid)
{
    TPropertiesForm form(context(), TPropertiesForm::AllPages);
    form.show();
    auto* list = child<QListWidget>(form, "ListBoxElements");
    auto* bold = child<QCheckBox>(form, "CheckBoxBold");
    auto* italic = child<QCheckBox>(form, "CheckBoxItalic");
    auto* grid = child<TColorGrid>(form, "ColorGrid");
    EXPECT_TRUE(italic->isChecked());  // "Comment"
    EXPECT_EQ(grid->SelectedIndex(), 7);
    list->setCurrentRow(1);  // "Section"
    EXPECT_TRUE(bold->isChecked());
    EXPECT_FALSE(italic->isChecked());
    EXPECT_EQ(grid->SelectedIndex(), 9);
    italic->click();
    grid->resize(96, 96);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->CellRect(12).center());  // blue
    const Preferences values = form.Values();
    EXPECT_TRUE(values.codeView[ElementSection].italic);
    EXPECT_EQ(values.codeView[ElementSection].colourIndex, 12);
    EXPECT_EQ(values.codeView[ElementSection].colour, 255 * 65536);
    EXPECT_FALSE(values.codeView[ElementComment].bold);

    QTextCursor cursor(form.SampleText()->document());
    const QString text = form.SampleText()->toPlainText();
    auto formatAt = [&](qsizetype position) {
        cursor.setPosition(int(position) + 1);
        return cursor.charFormat();
    };
    const QTextCharFormat section = formatAt(text.indexOf(QLatin1Char('[')));
    EXPECT_EQ(section.foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(section.fontItalic());
    EXPECT_EQ(section.fontWeight(), QFont::Bold);
    const QTextCharFormat comment = formatAt(0);
    EXPECT_EQ(comment.foreground().color(), QColor(128, 128, 128));
    EXPECT_TRUE(comment.fontItalic());
    const QTextCharFormat attribute = formatAt(text.indexOf(QStringLiteral("SkinName")));
    EXPECT_EQ(attribute.foreground().color(), QColor(0, 0, 0));

    child<QCheckBox>(form, "CheckBoxHighlighting")->click();
    EXPECT_EQ(formatAt(0).foreground().color(), QColor(0, 0, 0));
    EXPECT_FALSE(formatAt(0).fontItalic());
}

TEST(CodeViewRuns, CommentsRunToTheLineEndAndSectionsToTheirBracket)
{
    const QString text = QStringLiteral("; a\n[Sec]\nKey=1 ; note\n[open\n");
    const std::vector<StyledRun> runs = codeViewRuns(text, true);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(std::tuple(runs[0].start, runs[0].length, runs[0].element), std::tuple(0, int(text.size()), 2));
    EXPECT_EQ(std::tuple(runs[1].start, runs[1].length, runs[1].element), std::tuple(0, 3, 0));
    EXPECT_EQ(std::tuple(runs[2].start, runs[2].length, runs[2].element), std::tuple(16, 6, 0));
    EXPECT_EQ(std::tuple(runs[3].start, runs[3].length, runs[3].element), std::tuple(4, 5, 1));
    // "[" with no "]" after it: to the end of the text.
    EXPECT_EQ(std::tuple(runs[4].start, runs[4].length, runs[4].element), std::tuple(23, 6, 1));
    EXPECT_EQ(codeViewRuns(text, false).size(), 1u);
}

TEST_F(PropertiesFormTest, SkinShotsFollowTheFormatAndSetSizeCutsThePreviews)
{
    const fs::path skin = copyShippedSkin("Tidewater");
    TUisFile document(skin.string());
    TPreviewForm active(*settings), inactive(*settings);
    for (TPreviewForm* preview : {&active, &inactive}) {
        preview->SetDocument(&document);
        preview->resize(400, 280);
        preview->ReLoadSkin();
    }
    inactive.resize(250, 310);
    ASSERT_EQ(active.size(), QSize(400, 280));  // above the skin's smallest size
    PropertiesContext c = context();
    c.document = &document;
    c.documentPath = QString::fromStdString(skin.string());
    c.previews = {&active, &inactive};
    TPropertiesForm form(std::move(c), TPropertiesForm::SkinShotWizard);
    form.show();
    auto* name = child<QLineEdit>(form, "EditShotFilename");
    // The clipboard is the default format; its name still ends in .jpg.
    EXPECT_EQ(name->text().toStdString(), (engineFolder / "Tidewater" / "Tidewater.jpg").string());
    EXPECT_FALSE(name->isEnabled());
    radio(form, "RadioGroupShotFormat", 0)->click();
    EXPECT_TRUE(name->isEnabled());
    radio(form, "RadioGroupShotFormat", 1)->click();
    EXPECT_EQ(name->text().toStdString(), (engineFolder / "Tidewater" / "Tidewater.bmp").string());

    child<QPushButton>(form, "ButtonSetSize")->click();
    EXPECT_EQ(active.size(), QSize(295, 280));
    EXPECT_EQ(inactive.size(), QSize(250, 295));
    ASSERT_NE(active.Scene(), nullptr);
    EXPECT_EQ(active.Scene()->ClientSize, QSize(295, 280));
    EXPECT_EQ(inactive.Scene()->ClientSize, QSize(250, 295));

    prompts.answer(PromptAnswer::Ok);
    child<QPushButton>(form, "ButtonTakeShot")->click();
    ASSERT_EQ(prompts.shown().size(), 1u);
    const QString file = QString::fromStdString((engineFolder / "Tidewater" / "Tidewater.bmp").string());
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Preview have just been saved to ") + file + QStringLiteral(" file."));
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Preview succesfully Saved"));
    EXPECT_EQ(prompts.shown()[0].icon, PromptIcon::Information);
    const QImage shot(file, "BMP");
    ASSERT_EQ(shot.size(), QSize(295, 280));
    EXPECT_EQ(shot.pixel(150, 100), active.Picture().pixel(150, 100));
    EXPECT_EQ(shot.pixel(2, 2), active.Picture().pixel(2, 2));
}

TEST_F(PropertiesFormTest, ThePluginPageListsDeletesAndInstallsThroughTheHook)
{
    writeFile(programFolderPath / "PLUGINS" / "Clock" / "clock.def",
               "[PluginInfo]\r\nName=Clock\r\nAuthor=Ann\r\nEmail=ann@example.org\r\nUrl=https://clock.example.org/\r\n"
               "SectionName=CLOCK\r\nOptional=1\r\n");
    writeFile(programFolderPath / "PLUGINS" / "Core" / "core.def", "[PluginInfo]\r\nName=Core\r\nOptional=0\r\n");
    TPropertiesForm form(context(), TPropertiesForm::PluginManager);
    form.show();
    auto* list = child<QTreeWidget>(form, "ListViewPlugins");
    auto* remove = child<QPushButton>(form, "ButtonDeletePlugin");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_FALSE(remove->isEnabled());
    list->topLevelItem(1)->setSelected(true);  // Core
    EXPECT_FALSE(remove->isEnabled());
    list->clearSelection();
    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_EQ(child<QLabel>(form, "LabelPluginAuthor")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(child<QLabel>(form, "LabelPluginSection")->text(), QStringLiteral("CLOCK"));
    QTest::mouseClick(child<QLabel>(form, "LabelPluginEmail"), Qt::LeftButton);
    ASSERT_EQ(recordingShell.calls().size(), 1u);
    EXPECT_EQ(recordingShell.calls()[0].target, QStringLiteral("mailto:ann@example.org"));

    remove->click();
    EXPECT_FALSE(fs::exists(programFolderPath / "PLUGINS" / "Clock"));
    EXPECT_TRUE(fs::exists(programFolderPath / "PLUGINS" / "Core" / "core.def"));
    ASSERT_EQ(list->topLevelItemCount(), 1);

    std::vector<std::pair<fs::path, fs::path>> installs;
    setPluginArchiveInstaller([&](const fs::path& archive, const fs::path& folder) {
        installs.emplace_back(archive, folder);
        writeFile(folder / "new.def", "[PluginInfo]\r\nName=Fresh\r\n");
        return true;
    });
    prompts.choosePath(QStringLiteral("/downloads/Fresh Plugin.zip"));
    child<QPushButton>(form, "ButtonInstallPlugin")->click();
    setPluginArchiveInstaller({});
    ASSERT_EQ(installs.size(), 1u);
    EXPECT_EQ(installs[0].first, fs::path("/downloads/Fresh Plugin.zip"));
    EXPECT_EQ(installs[0].second, programFolderPath / "PLUGINS" / "Fresh Plugin");
    EXPECT_EQ(settings->ReadString("General", "RecentPluginFolder", ""), "/downloads");
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(prompts.shown()[0].dialog.filter.toStdString(),
              "All archives (*.zip,*.vxa)|*.zip;*.vxa|Zip Archives (*.zip)|*.zip|VXA Archives (*.vxa)|*.vxa;*.vxa|All "
              "files (*.*)|*.*");
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

// The engine folder is the install key's path: the page shows it, and a new one is
// created (with every folder above it) and stored before anything else; one that
// cannot be created stores nothing at all and keeps the dialog open.
TEST_F(PropertiesFormTest, TheEngineFolderIsShownCreatedAndStoredOrNothingIsStored)
{
    std::vector<fs::path> told;
    PropertiesContext c = context();
    c.engineFolderChanged = [&](const fs::path& folder) { told.push_back(folder); };
    TPropertiesForm form(std::move(c), TPropertiesForm::AllPages);
    form.show();
    auto* edit = child<QLineEdit>(form, "EditEngineFolder");
    EXPECT_EQ(edit->text().toStdString(), engineFolder.string());

    writeFile(temp.path() / "blocker", "a file, not a folder");
    const fs::path blocked = temp.path() / "blocker" / "Skins";
    edit->setText(QString::fromStdString(blocked.string()));
    child<QCheckBox>(form, "CheckBoxLoadRecentlyEdited")->setChecked(true);
    prompts.answer(PromptAnswer::Ok);
    form.ButtonOKClick();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.toStdString(),
              "Unable to create the folder " + blocked.string() + " (Not a directory)");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Registry().readString(kEngineInstallKey, "Path"), engineFolder.string());
    EXPECT_FALSE(fs::exists(temp.path() / "sw.ini"));
    EXPECT_TRUE(told.empty());

    const fs::path fresh = temp.path() / "home" / "me" / "Skins";
    edit->setText(QString::fromStdString(fresh.string()));
    form.ButtonOKClick();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(fs::is_directory(fresh));
    EXPECT_EQ(Registry().readString(kEngineInstallKey, "Path"), fresh.string());
    EXPECT_EQ(Engine::findFolder(), fresh);
    EXPECT_EQ(told, std::vector<fs::path>{fresh});
    EXPECT_TRUE(settingsFile()->ReadBool("General", "LoadRecentlyEdited", false));
}

}  // namespace
}  // namespace sw
