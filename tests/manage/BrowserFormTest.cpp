// The skin browser window on a copy of the sample skins, with scripted prompts.
#include "editor/EditorFixture.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "common/FormValidator.h"
#include "editor/UISExplorerForm.h"
#include "common/GlyphList.h"
#include "common/HostWindow.h"
#include "manage/BrowserForm.h"
#include "manage/SkinThumbnails.h"
#include "preview/PreviewForm.h"
#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class BrowserFormTest : public EditorFixture {
public:
    std::unique_ptr<TMainForm> main;
    std::unique_ptr<TBrowserForm> browser;
    void open()
    {
        main = makeMain();
        browser = std::make_unique<TBrowserForm>(*main, engine);
        browser->show();
    }
    void TearDown() override
    {
        browser.reset();
        main.reset();
        EditorFixture::TearDown();
    }
    QTreeWidgetItem* node(const QString& name)
    {
        QTreeWidgetItem* root = browser->TreeViewBrowser->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == name)
                return root->child(i);
        return nullptr;
    }
    void select(const QString& name) { browser->TreeViewBrowser->setCurrentItem(node(name)); }
    QStringList children()
    {
        QStringList names;
        QTreeWidgetItem* root = browser->TreeViewBrowser->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            names << root->child(i)->text(0);
        return names;
    }
};

// Answers the name prompt that the next modal loop shows.
void answerNamePrompt(const QString& fileName, const QString& name, bool ok)
{
    QTimer::singleShot(0, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(fileName);
        modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(name);
        modal->findChild<QPushButton*>(ok ? QStringLiteral("ButtonOK") : QStringLiteral("ButtonCancel"))->click();
    });
}

bool sameIcon(const QIcon& a, int glyph)
{
    return a.pixmap(16).toImage() == glyphIcon(glyph).pixmap(16).toImage();
}

TEST_F(BrowserFormTest, TreeListsVisibleFoldersSortedWithTheirIcons)
{
    fs::create_directories(engine / ".svn");
    writeBytes(engine / ".svn" / ".svn.uis", "[A]\r\n");
    fs::create_directories(engine / "green");
    writeBytes(engine / "green" / "Other.uis", "[A]\r\n");
    fs::create_directories(engine / "Red");
    writeBytes(engine / "Red" / "red.uis", "[TITLEBARSKIN]\r\nSkinName=Red\r\n");
    open();
    QTreeWidgetItem* root = browser->TreeViewBrowser->topLevelItem(0);
    EXPECT_EQ(browser->TreeViewBrowser->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), QStringLiteral("All Skins"));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(children(), (QStringList{"green", "Misnamed", "Parchment", "Red", "Slate", "Tidewater"}));
    for (const auto& [name, personality] : std::vector<std::pair<QString, bool>>{
             {"green", false}, {"Misnamed", false}, {"Parchment", true}, {"Red", true}, {"Tidewater", true}})
        EXPECT_TRUE(sameIcon(node(name)->icon(0), personality ? 24 : 8)) << name.toStdString();
}

TEST_F(BrowserFormTest, SelectionShowsFieldsStatusAndPreviews)
{
    open();
    const QString noFile = QStringLiteral(
        "No UIS File found in this directory or UIS file name is different than the directory name");
    const struct {
        const char* node;  // nullptr: the root
        const char* status;
        const char* skinName;
        const char* url;
        bool previews, copy, active;
    } cases[] = {
        {"Tidewater", "UIS 2 File", "Tidewater", "http://www.example.org/skins/tidewater", true, true, true},
        {"Slate", "UIS 1+ File", "Slate", "http://www.example.org/skins/slate", true, true, true},
        {"Parchment", "UIS 1 file - Preview not available", "Parchment", "http://www.example.org/skins/parchment",
         false, false, true},
        {"Misnamed", nullptr, "UNDEFINED", "UNDEFINED", false, false, false},
        {nullptr, "Main Folder containing all available skins", "UNDEFINED", "UNDEFINED", false, false, false},
    };
    for (const auto& c : cases) {
        if (c.node)
            select(QString::fromLatin1(c.node));
        else
            browser->TreeViewBrowser->setCurrentItem(browser->TreeViewBrowser->topLevelItem(0));
        const std::string at = c.node ? c.node : "root";
        EXPECT_EQ(browser->StatusBar->currentMessage(), c.status ? QString::fromLatin1(c.status) : noFile) << at;
        EXPECT_EQ(browser->EditSkinName->text(), QString::fromLatin1(c.skinName)) << at;
        EXPECT_EQ(browser->EditAuthorsURL->text(), QString::fromLatin1(c.url)) << at;
        const bool defined = std::string(c.url) != "UNDEFINED";
        EXPECT_EQ(browser->EditAuthorsURL->isEnabled(), defined) << at;
        EXPECT_EQ(browser->FieldLabels[2]->isEnabled(), defined) << at;
        EXPECT_EQ(browser->Preview(0) != nullptr, c.previews) << at;
        EXPECT_EQ(browser->Preview(1) != nullptr, c.previews) << at;
        if (c.previews) {
            EXPECT_TRUE(browser->Preview(0)->IsActivePreview());
            EXPECT_FALSE(browser->Preview(1)->IsActivePreview());
            EXPECT_NE(browser->Preview(0)->Scene(), nullptr) << at;
        }
        EXPECT_EQ(browser->ToolButtonCopySkin->isEnabled(), c.copy) << at;
        EXPECT_EQ(browser->ToolButtonRenameSkin->isEnabled(), c.copy) << at;
        EXPECT_EQ(browser->ButtonSetAsActive->isEnabled(), c.active) << at;
    }
    // A personality without an author shows it undefined, field and caption disabled.
    writeBytes(engine / "Slate" / "Slate.uis", "[TITLEBARSKIN]\r\nSkinName=Bare\r\n[CAPTION]\r\nBUTTONCOUNT=0\r\n");
    browser->ToolButtonRefreshClick();
    EXPECT_EQ(browser->SelectedName(), QStringLiteral(""));  // the root was selected before
    select(QStringLiteral("Slate"));
    EXPECT_EQ(browser->EditSkinName->text(), QStringLiteral("Bare"));
    EXPECT_EQ(browser->EditSkinAuthor->text(), QStringLiteral("UNDEFINED"));
    EXPECT_FALSE(browser->EditSkinAuthor->isEnabled());
    EXPECT_TRUE(browser->EditSkinName->isEnabled());
}

TEST_F(BrowserFormTest, RenameRelocatesAndCancelChangesNothing)
{
    open();
    select(QStringLiteral("Tidewater"));
    const auto before = test::readBytes(engine / "Tidewater" / "Tidewater.uis");
    answerNamePrompt(QStringLiteral("Navy"), QStringLiteral("Navy Night"), false);
    browser->ButtonCopySkinClick(true);
    EXPECT_EQ(test::readBytes(engine / "Tidewater" / "Tidewater.uis"), before);
    EXPECT_FALSE(fs::exists(engine / "Navy"));

    // F2 asks first; Yes goes on to the rename.
    prompts.answer(PromptAnswer::Yes);
    answerNamePrompt(QStringLiteral("Navy"), QStringLiteral("Navy Night"), true);
    QTest::keyClick(browser->TreeViewBrowser, Qt::Key_F2);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Caution"));
    EXPECT_TRUE(prompts.shown()[0].text.startsWith(QStringLiteral("This will rename the directory containing skin.")));
    EXPECT_FALSE(fs::exists(engine / "Tidewater"));
    ASSERT_TRUE(fs::exists(engine / "Navy" / "Navy.uis"));
    const std::string renamed = readBytes(engine / "Navy" / "Navy.uis");
    EXPECT_EQ(renamed.find("Tidewater\\"), std::string::npos);
    EXPECT_NE(renamed.find("Navy\\"), std::string::npos);
    EXPECT_EQ(browser->SelectedName(), QStringLiteral("Navy"));
    EXPECT_EQ(browser->EditSkinName->text(), QStringLiteral("Navy Night"));
    EXPECT_EQ(children(), (QStringList{"Misnamed", "Navy", "Parchment", "Slate"}));
}

TEST_F(BrowserFormTest, DeleteAsksWithTheFolderPath)
{
    open();
    select(QStringLiteral("Slate"));
    prompts.answer(PromptAnswer::No).answer(PromptAnswer::Yes);
    browser->ButtonDeleteSkinClick();
    EXPECT_TRUE(fs::exists(engine / "Slate" / "Slate.uis"));
    browser->ButtonDeleteSkinClick();
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text, QString::fromStdString((engine / "Slate").string()));
    EXPECT_EQ(prompts.shown()[1].caption, QStringLiteral("Delete the contents of this directory?"));
    EXPECT_FALSE(fs::exists(engine / "Slate"));
    EXPECT_EQ(children(), (QStringList{"Misnamed", "Parchment", "Tidewater"}));
    EXPECT_EQ(browser->EditSkinName->text(), QStringLiteral("UNDEFINED"));
}

// A host that is not the editor's main window: it records what the browser asks of it.
class RecordingHost : public HostWindow {
public:
    explicit RecordingHost(const fs::path& settingsFile, bool agreeToClose)
        : settings_(settingsFile.string()), agreeToClose_(agreeToClose)
    {
        onTop_.setObjectName(QStringLiteral("WindowPreviewAlwaysonTopItem"));
        onTop_.setCheckable(true);
        onTop_.setVisible(false);
    }
    QWidget* Window() override { return &window_; }
    TAcceleratedIniFile& Settings() override { return settings_; }
    QAction* Action(const QString& objectName) const override
    {
        return objectName == onTop_.objectName() ? const_cast<QAction*>(&onTop_) : nullptr;
    }
    bool FileCloseItemClick() override
    {
        calls << QStringLiteral("close");
        if (agreeToClose_)
            editorState().DocumentOpen = false;
        return agreeToClose_;
    }
    void OpenDocument(const QString& file) override { calls << QStringLiteral("open ") + file; }
    void NotifyModification(const QString& change, const QString&) override
    {
        calls << QStringLiteral("modified ") + change;
    }

    QStringList calls;
    QAction& onTop() { return onTop_; }

private:
    QWidget window_;
    TAcceleratedIniFile settings_;
    QAction onTop_;
    bool agreeToClose_;
};

// The browser needs nothing of the main window but its host: it closes the open
// document through it (or gives way when the author keeps it) and reopens it after.
TEST_F(BrowserFormTest, TheHostClosesAndReopensTheDocument)
{
    const QString document = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    struct Case {
        const char* name;
        bool documentOpen;
        bool agreeToClose;
        bool staysShown;
        QStringList calls;
    };
    const Case cases[] = {
        {"no document", false, true, true, {}},
        {"closed and reopened", true, true, true, {QStringLiteral("close"), QStringLiteral("open ") + document}},
        {"kept open", true, false, false, {QStringLiteral("close")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editorState() = EditorState{};
        editorState().EngineFolder = engine.string();
        if (c.documentOpen) {
            editorState().DocumentOpen = true;
            editorState().DocumentPath = document.toStdString();
        }
        RecordingHost host(dir.path() / "host.ini", c.agreeToClose);
        {
            TBrowserForm form(host, engine);
            EXPECT_EQ(form.parentWidget(), host.Window());
            form.show();
            QCoreApplication::processEvents();
            EXPECT_EQ(form.isVisible(), c.staysShown);
            EXPECT_EQ(host.onTop().isVisible(), c.staysShown);
            form.hide();
            EXPECT_EQ(host.calls, c.calls);
            if (c.staysShown)
                EXPECT_EQ(host.onTop().isVisible(), c.documentOpen);
        }
    }
}

TEST_F(BrowserFormTest, TheEditorsDocumentIsPutAsideAndReopened)
{
    main = makeMain();
    const fs::path file = engine / "Tidewater" / "Tidewater.uis";
    main->OpenFileName = QString::fromStdString(file.string());
    main->FileOpenRoutine();
    ASSERT_TRUE(editorState().DocumentOpen);
    main->Explorer()->Document()->WriteString("COLOURS", "Menu", "1 2 3");
    main->NotifyModification();
    prompts.answer(PromptAnswer::No);  // "Save Changes to ...?"
    browser = std::make_unique<TBrowserForm>(*main, engine);
    browser->show();
    EXPECT_FALSE(editorState().DocumentOpen);
    EXPECT_EQ(main->Explorer(), nullptr);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Confirm"));
    select(QStringLiteral("Slate"));
    browser->ToolButtonShowValidatorClick();
    EXPECT_TRUE(browser->Validator()->isVisible());
    // Check finds what validating the file finds: the sample skin is clean.
    QTreeWidget* findings = browser->Validator()->ListViewValidator;
    ASSERT_EQ(findings->topLevelItemCount(), 1);
    EXPECT_EQ(findings->topLevelItem(0)->text(0), QString::fromLatin1(kNoErrorsFound));
    TUisFile slate((engine / "Slate" / "Slate.uis").string());
    slate.WriteString("BORDERS", "vertFrame", "Slate\\gone.bmp");
    select(QStringLiteral("Tidewater"));
    select(QStringLiteral("Slate"));
    ASSERT_EQ(findings->topLevelItemCount(), 1);
    EXPECT_TRUE(findings->topLevelItem(0)->text(0).startsWith(QStringLiteral("File not found - Section [BORDERS], Attribute [vertFrame]")))
        << findings->topLevelItem(0)->text(0).toStdString();
    browser->hide();
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_EQ(editorState().DocumentPath, file.string());
    EXPECT_EQ(browser->Preview(0), nullptr);
    EXPECT_FALSE(browser->Validator()->isVisible());
}

TEST_F(BrowserFormTest, ThumbnailsOfTheActiveFrameAreDrawnOnceUntilTheFileChanges)
{
    SkinThumbnails::shared().clear();
    open();
    EXPECT_EQ(browser->PendingThumbnails(), 3);  // Parchment, Slate, Tidewater
    browser->FillThumbnails();
    EXPECT_EQ(browser->PendingThumbnails(), 0);
    auto thumbnail = [&](const char* name) {
        return node(QString::fromLatin1(name))->data(1, Qt::UserRole + 2).value<QImage>();
    };
    const QImage tide = thumbnail("Tidewater"), slate = thumbnail("Slate");
    EXPECT_TRUE(thumbnail("Parchment").isNull());  // no preview for the old format
    EXPECT_TRUE(thumbnail("Misnamed").isNull());
    ASSERT_FALSE(tide.isNull());
    EXPECT_LE(tide.width(), kThumbnailSize.width());
    EXPECT_LE(tide.height(), kThumbnailSize.height());
    EXPECT_TRUE(tide.width() == kThumbnailSize.width() || tide.height() == kThumbnailSize.height());
    EXPECT_NE(tide, slate);
    EXPECT_EQ(tide, renderSkinThumbnail(engine / "Tidewater" / "Tidewater.uis"));

    // Refresh takes them from the cache; a changed file is drawn again.
    const int drawn = SkinThumbnails::shared().drawn();
    browser->ToolButtonRefreshClick();
    browser->FillThumbnails();
    EXPECT_EQ(SkinThumbnails::shared().drawn(), drawn);
    EXPECT_EQ(thumbnail("Tidewater"), tide);
    std::string bytes = readBytes(engine / "Slate" / "Slate.uis");
    writeBytes(engine / "Slate" / "Slate.uis", bytes + "\r\n; touched\r\n");
    EXPECT_FALSE(SkinThumbnails::shared().cached(engine / "Slate" / "Slate.uis"));
    browser->ToolButtonRefreshClick();
    browser->FillThumbnails();
    EXPECT_EQ(SkinThumbnails::shared().drawn(), drawn + 1);
}

TEST_F(BrowserFormTest, PropertiesWaitForTheirDialog)
{
    open();
    EXPECT_FALSE(browser->ToolButtonProperties->isEnabled());
    QWidget* shownFor = nullptr;
    TBrowserForm::PropertiesHook() = [&](QWidget* parent) { shownFor = parent; };
    TBrowserForm second(*main, engine);
    EXPECT_TRUE(second.ToolButtonProperties->isEnabled());
    second.ToolButtonProperties->trigger();
    EXPECT_EQ(shownFor, &second);
    TBrowserForm::PropertiesHook() = nullptr;
}

}  // namespace
}  // namespace sw
