// The "Find" window on a small personality, and the main window's command that opens it.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/DocumentHistory.h"
#include "editor/FindForm.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include <functional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

const char* kSkin =
    "[TITLEBARSKIN]\r\nSkinName=Harbour Top\r\nSkinAuthor=me\r\n"
    "[PERSONALITY]\r\nTOP=Harbour\\top.bmp\r\nTopFrame=5\r\nButtonCount=1\r\n"
    "[Button0]\r\nAction=1\r\nButtonImage=Harbour\\Top.bmp\r\n"
    "[Notes]\r\nText=top of the top\r\n";

class FindFormTest : public EditorFixture {
public:
    fs::path file = engine / "Harbour" / "Harbour.uis";
    void SetUp() override
    {
        EditorFixture::SetUp();
        fs::create_directories(file.parent_path());
        writeBytes(file, kSkin);
    }
    std::unique_ptr<TUisFile> load()
    {
        auto document = std::make_unique<TUisFile>(file.string());
        document->FormatVersion();
        return document;
    }
};

struct Row {
    QString key, value, section;
    int type;
    bool operator==(const Row&) const = default;
};

std::vector<Row> rows(TFindForm& form)
{
    std::vector<Row> result;
    for (int i = 0; i < form.ListViewAttr->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = form.ListViewAttr->topLevelItem(i);
        result.push_back({item->text(0), item->text(1), item->text(2), form.MatchOf(i).Type});
    }
    return result;
}

void search(TFindForm& form, const QString& text, bool names, bool values, bool whole, bool caseSensitive,
            int scope = 0)
{
    form.ComboBoxFindIn->setCurrentIndex(scope);
    form.EditTextToFind->setText(text);
    form.CheckBoxSearchInNames->setChecked(names);
    form.CheckBoxSearchInValues->setChecked(values);
    form.CheckBoxWhole->setChecked(whole);
    form.CheckBoxCaseSensitive->setChecked(caseSensitive);
    form.ButtonFind->click();
}

TEST_F(FindFormTest, ControlsAsTheWindowOpens)
{
    auto document = load();
    TFindForm form(*document);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Find");
    const struct {
        const char* name;
        const char* text;
        bool enabled;
    } cases[] = {
        {"GroupBoxSearch", "Search for:", true}, {"GroupBoxLookIn", "Look in:", true},
        {"GroupBoxOptions", "Options:", true},  {"LabelFindIn", "Find in:", true},
        {"LabelText", "Text:", true},           {"CheckBoxSearchInNames", "Names", true},
        {"CheckBoxSearchInValues", "Values", true}, {"CheckBoxWhole", "Whole string only", true},
        {"CheckBoxCaseSensitive", "Case Sensitive search", true}, {"ButtonFind", "&Find", true},
        {"ButtonCancel", "&Cancel", false},     {"ButtonNewSearch", "&New Search", true},
        {"GroupBoxReplace", " Replace text in checked attributes with: ", false},
        {"ButtonReplace", "&Replace", false},   {"ButtonSelectAll", "Select &All", false},
    };
    for (const auto& c : cases) {
        QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        const QString text = widget->property(qobject_cast<QGroupBox*>(widget) ? "title" : "text").toString();
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(widget->isEnabled(), c.enabled) << c.name;
    }
    EXPECT_EQ(std::vector<bool>({form.CheckBoxSearchInNames->isChecked(), form.CheckBoxSearchInValues->isChecked(),
                                 form.CheckBoxWhole->isChecked(), form.CheckBoxCaseSensitive->isChecked()}),
              std::vector<bool>({false, true, false, false}));
    EXPECT_TRUE(form.ButtonFind->isDefault());
    EXPECT_FALSE(form.EditReplace->isEnabled());
    EXPECT_EQ(form.EditReplace->palette().color(QPalette::Base), form.palette().color(QPalette::Button));
    QStringList scopes, headers;
    for (int i = 0; i < form.ComboBoxFindIn->count(); ++i)
        scopes << form.ComboBoxFindIn->itemText(i);
    EXPECT_EQ(scopes, QStringList({"All Sections", "TITLEBARSKIN", "PERSONALITY", "Button0", "Notes"}));
    EXPECT_EQ(form.ComboBoxFindIn->currentIndex(), 0);
    for (int i = 0; i < form.ListViewAttr->columnCount(); ++i)
        headers << form.ListViewAttr->headerItem()->text(i);
    EXPECT_EQ(headers, QStringList({"Name", "Value", "Section"}));
    // Only what a personality file can hold is typed in; the rest is refused by name.
    prompts.answer(PromptAnswer::Ok);
    for (QChar typed : QStringLiteral("a\u20ACb\u00E9"))
        QTest::sendKeyEvent(QTest::Click, form.EditTextToFind, Qt::Key_unknown, QString(typed), Qt::NoModifier);
    EXPECT_EQ(form.EditTextToFind->text(), QStringLiteral("ab\u00E9"));
    ASSERT_FALSE(prompts.shown().empty());
    EXPECT_TRUE(prompts.shown().back().text.contains(QStringLiteral("\u20AC (U+20AC)")));
    const QPoint centre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(FindFormTest, ReplacingInCheckedRows)
{
    const struct {
        const char* what;
        bool caseSensitive;
        std::vector<int> checked;  // rows of the values search for "top"; empty: Select All
        const char* replacement;
        std::vector<std::pair<std::string, std::string>> changes;  // of the file's text
        int left;
    } cases[] = {
        // Found without regard to case, replaced with it: capitals stay, their rows go.
        {"capitals stay", false, {0, 2}, "bottom", {}, 2},
        {"checked rows only", true, {1}, "bottom", {{"top of the top", "bottom of the bottom"}}, 1},
        {"select all", false, {}, "deck", {{"\\top.bmp", "\\deck.bmp"}, {"top of the top", "deck of the deck"}}, 0},
    };
    for (const auto& c : cases) {
        writeBytes(file, kSkin);
        auto document = load();
        TFindForm form(*document);
        int replaced = 0;
        QObject::connect(&form, &TFindForm::Replaced, [&] { ++replaced; });
        form.show();
        search(form, QStringLiteral("top"), false, true, false, c.caseSensitive);
        if (c.checked.empty())
            form.ButtonSelectAll->click();
        for (int row : c.checked) {
            ASSERT_LT(row, form.ListViewAttr->topLevelItemCount()) << c.what;
            form.ListViewAttr->topLevelItem(row)->setCheckState(0, Qt::Checked);
        }
        EXPECT_TRUE(form.GroupBoxReplace->isEnabled() && form.ButtonReplace->isEnabled() &&
                    form.ButtonSelectAll->isEnabled() && form.EditReplace->isEnabled());
        EXPECT_EQ(form.EditReplace->palette().color(QPalette::Base), form.palette().color(QPalette::Base));
        std::vector<Row> unchecked;
        for (int i = 0; i < form.ListViewAttr->topLevelItemCount(); ++i)
            if (form.ListViewAttr->topLevelItem(i)->checkState(0) != Qt::Checked)
                unchecked.push_back(rows(form)[std::size_t(i)]);
        // Typed after the search: the rows were found with "top", and "top" is replaced.
        form.EditTextToFind->setText(QStringLiteral("other"));
        form.EditReplace->setText(QString::fromLatin1(c.replacement));
        form.ButtonReplace->click();
        std::string expected = kSkin;
        for (const auto& [from, to] : c.changes)
            expected.replace(expected.find(from), from.size(), to);
        EXPECT_EQ(readBytes(file), expected) << c.what;
        EXPECT_EQ(rows(form), unchecked) << c.what;
        EXPECT_EQ(int(rows(form).size()), c.left) << c.what;
        EXPECT_EQ(replaced, 1) << c.what;
        EXPECT_EQ(form.ButtonReplace->isEnabled(), c.left > 0) << c.what;
        // Nothing checked: nothing happens.
        form.ButtonReplace->click();
        EXPECT_EQ(replaced, 1) << c.what;
    }
}

TEST_F(FindFormTest, AWriteThatFailsKeepsTheRowsAndNamesTheFile)
{
    auto document = load();
    TFindForm form(*document);
    int replaced = 0;
    QObject::connect(&form, &TFindForm::Replaced, [&] { ++replaced; });
    form.show();
    search(form, QStringLiteral("top"), false, true, false, true);
    form.ButtonSelectAll->click();
    form.EditReplace->setText(QStringLiteral("two\nlines"));  // pasted: no INI line holds it
    prompts.answer(PromptAnswer::Ok);
    form.ButtonReplace->click();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(text(0).contains(QString::fromStdString(file.string()))) << text(0).toStdString();
    EXPECT_EQ(prompts.shown()[0].caption, "Replace");
    EXPECT_EQ(readBytes(file), kSkin);
    EXPECT_EQ(form.ListViewAttr->topLevelItemCount(), 2);
    EXPECT_EQ(replaced, 0);
}

TEST_F(FindFormTest, LayoutFollowsTheSize)
{
    auto document = load();
    TFindForm form(*document);
    form.show();
    EXPECT_GE(form.minimumWidth(), 400);
    for (QSize size : {QSize(400, 360), QSize(560, 440), QSize(900, 700)}) {
        form.resize(size);
        const QRect find = form.ButtonFind->geometry();
        const QRect search = form.GroupBoxSearch->geometry();
        const QRect options = form.GroupBoxOptions->geometry();
        const QRect list = form.ListViewAttr->geometry();
        const QRect replace = form.GroupBoxReplace->geometry();
        const QRect status = form.StatusBar->geometry();
        const auto end = [](const QRect& r) { return r.x() + r.width(); };
        const struct {
            const char* rule;
            int actual, expected;
        } rules[] = {
            {"Find at the right edge", end(find), size.width() - 8},
            {"search group 17 left of Find", end(search), find.x() - 17},
            {"options end with the search group", end(options), end(search)},
            {"list to Find's right edge", end(list), end(find)},
            {"replace group 10 above the status bar", replace.y() + replace.height(), status.y() - 10},
            {"replace group as wide as the list", replace.width(), list.width()},
            {"replace group under the list", replace.x(), list.x()},
            {"list 10 above the replace group", list.y() + list.height(), replace.y() - 10},
            {"replace edit 10 left of Replace", end(form.EditReplace->geometry()), form.ButtonReplace->x() - 10},
            {"Find in 10 inside its group", end(form.ComboBoxFindIn->geometry()), search.width() - 10},
            {"Text 10 inside its group", end(form.EditTextToFind->geometry()), search.width() - 10},
            {"status bar at the bottom", status.y() + status.height(), size.height()},
        };
        for (const auto& r : rules)
            EXPECT_EQ(r.actual, r.expected) << r.rule << " at " << size.width() << "x" << size.height();
        EXPECT_GT(list.height(), 40) << size.width() << "x" << size.height();
    }
}

TEST_F(FindFormTest, AnimationRunsWhileShown)
{
    auto document = load();
    TFindForm form(*document);
    EXPECT_FALSE(form.Animate->Active());
    form.show();
    ASSERT_TRUE(form.Animate->Active());
    EXPECT_EQ(form.Animate->objectName(), "Animate");
    // Frames differ as pictures, not only as numbers.
    const QImage first = form.Animate->grab().toImage();
    QTRY_VERIFY(form.Animate->grab().toImage() != first);
    form.hide();
    EXPECT_FALSE(form.Animate->Active());
}

// Runs `answer` on the find window once the main window has opened it.
void whenFindShown(std::function<void(TFindForm&)> answer, bool* shown)
{
    QTimer::singleShot(0, [answer, shown] {
        auto* form = qobject_cast<TFindForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        *shown = true;
        answer(*form);
        form->close();
    });
}

TEST_F(FindFormTest, TheMainWindowReplacesAsOneStepAndRefreshesTheExplorer)
{
    auto main = makeMain();
    bool shown = false;
    main->OpenFileName = QString::fromStdString(file.string());
    main->FileOpenRoutine();
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    explorer->AttributeSelect("Notes", "Text");
    ASSERT_EQ(main->Band()->EditAttrValue->text(), "top of the top");
    QUndoStack& stack = main->History().Stack();
    const int steps = stack.count();
    const std::string before = explorer->Document()->DiskBytes();

    whenFindShown([](TFindForm& form) { search(form, QStringLiteral("top"), false, true, false, true); }, &shown);
    main->Action(QStringLiteral("ToolButtonFind"))->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(stack.count(), steps);  // searching changes nothing

    whenFindShown(
        [](TFindForm& form) {
            search(form, QStringLiteral("top"), false, true, false, true, 4);
            form.ButtonSelectAll->click();
            form.EditReplace->setText(QStringLiteral("end"));
            form.ButtonReplace->click();
        },
        &shown);
    main->Action(QStringLiteral("EditFindItem"))->trigger();
    EXPECT_EQ(explorer->Document()->ReadString("Notes", "Text", ""), "end of the end");
    EXPECT_EQ(stack.count(), steps + 1);
    EXPECT_EQ(stack.undoText(), "Replace");
    EXPECT_TRUE(editorState().Modified);
    // The explorer's row shows the new value, so writing the rows back keeps it.
    ASSERT_EQ(explorer->ListViewExplorer->topLevelItemCount(), 1);
    EXPECT_EQ(explorer->ListViewExplorer->findItems(QStringLiteral("end of the end"), Qt::MatchExactly, 1).size(), 1);
    EXPECT_EQ(main->Band()->EditAttrValue->text(), "end of the end");
    emit explorer->ListViewExplorer->rowsReordered();
    EXPECT_EQ(explorer->Document()->ReadString("Notes", "Text", ""), "end of the end");
    // One undo takes the whole replacement back.
    while (stack.count() > steps + 1)
        stack.undo();
    stack.undo();
    EXPECT_EQ(explorer->Document()->DiskBytes(), before);
    prompts.answer(PromptAnswer::No);
}

}  // namespace
}  // namespace sw
