// The main window's commands open the preferences dialog in its four ways.
#include "mainwindow/PropertiesFormActions.h"

#include "EditorFixture.h"
#include "editor/UISExplorerForm.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace sw {
namespace {

class PropertiesActionsTest : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            saved_.emplace_back(name, qgetenv(name));
            qputenv(name, QByteArray::fromStdString((dir.path() / name).string()));
        }
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved_)
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
        EditorFixture::TearDown();
    }

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(PropertiesActionsTest, EachCommandOpensTheDialogItsWay)
{
    auto main = makeMain();
    connectPropertiesActions(*main);
    // "Create SkinShot" needs an open personality.
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    ASSERT_NE(main->Explorer(), nullptr);
    // The previews are not kept on top; the skin-shot wizard keeps them above itself
    // while it takes their pictures, and leaves them as they were.
    main->Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->setChecked(false);
    main->Explorer()->SetPreviewsOnTop(false);
    const auto previewsOnTop = [] {
        int onTop = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName().startsWith(QStringLiteral("Preview")) && window->isVisible())
                onTop += window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : -1;
        return onTop;
    };
    ASSERT_EQ(previewsOnTop(), -2);
    struct Case {
        const char* action;
        const char* caption;
        int page;
        int visiblePages;
    } cases[] = {
        {"EditPropertiesItem", "Preferences", TPropertiesForm::PageProgram, 9},
        {"ToolButtonPreferences", "Preferences", TPropertiesForm::PageProgram, 9},
        {"PluginManagerMenuItem", "Plugin Manager", TPropertiesForm::PagePlugins, 1},
        {"ToolButtonSkinshot", "Create SkinShot Wizard", TPropertiesForm::PageSkinshot, 2},
        {"FileCreateScreenshotItem", "Create SkinShot Wizard", TPropertiesForm::PageSkinshot, 2},
    };
    for (const Case& c : cases) {
        QString caption;
        int page = -1, visible = 0, onTopDuring = 0;
        bool canTakeShot = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TPropertiesForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            caption = form->windowTitle();
            onTopDuring = previewsOnTop();
            canTakeShot = form->findChild<QPushButton*>(QStringLiteral("ButtonTakeShot"))->isEnabled();
            page = form->CurrentPage();
            for (int i = 0; i < TPropertiesForm::PageCount; ++i)
                visible += form->PageVisible(i) ? 1 : 0;
            form->reject();
        });
        main->Action(QString::fromLatin1(c.action))->trigger();
        EXPECT_EQ(caption, QString::fromLatin1(c.caption)) << c.action;
        EXPECT_EQ(page, c.page) << c.action;
        EXPECT_EQ(visible, c.visiblePages) << c.action;
        EXPECT_TRUE(canTakeShot) << c.action;  // a document with its previews
        EXPECT_EQ(onTopDuring, c.page == TPropertiesForm::PageSkinshot ? 2 : -2) << c.action;
        EXPECT_EQ(previewsOnTop(), -2) << c.action;
    }
    EXPECT_EQ(main->Action(QStringLiteral("EditPropertiesItem"))->shortcut(), QKeySequence(QStringLiteral("Shift+Ctrl+F11")));
}

}  // namespace
}  // namespace sw
