// The "Find" window on a small personality, and the main window's command that opens it.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/DocumentHistory.h"
#include "editor/FindForm.h"
#include "editor/UISExplorerForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include <functional>
#include <set>

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
        int checked;  // -1: not a check box
    } cases[] = {
        {"GroupBoxSearch", "Search for:", true, -1},
        {"GroupBoxLookIn", "Look in:", true, -1},
        {"GroupBoxOptions", "Options:", true, -1},
        {"LabelFindIn", "Find in:", true, -1},
        {"LabelText", "Text:", true, -1},
        {"CheckBoxSearchInNames", "Names", true, 0},
        {"CheckBoxSearchInValues", "Values", true, 1},
        {"CheckBoxWhole", "Whole string only", true, 0},
        {"CheckBoxCaseSensitive", "Case Sensitive search", true, 0},
        {"ButtonFind", "&Find", true, -1},
        {"ButtonCancel", "&Cancel", false, -1},
        {"ButtonNewSearch", "&New Search", true, -1},
        {"GroupBoxReplace", " Replace text in checked attributes with: ", false, -1},
        {"ButtonReplace", "&Replace", false, -1},
        {"ButtonSelectAll", "Select &All", false, -1},
    };
    for (const auto& c : cases) {
        QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        QString text;
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            text = group->title();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(widget->isEnabled(), c.enabled) << c.name;
        if (c.checked >= 0) {
            EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->isChecked(), c.checked == 1) << c.name;
        }
    }
    EXPECT_TRUE(form.ButtonFind->isDefault());
    EXPECT_FALSE(form.EditReplace->isEnabled());
    EXPECT_EQ(form.EditReplace->palette().color(QPalette::Base), form.palette().color(QPalette::Button));
    QStringList scopes;
    for (int i = 0; i < form.ComboBoxFindIn->count(); ++i)
        scopes << form.ComboBoxFindIn->itemText(i);
    EXPECT_EQ(scopes, QStringList({"All Sections", "TITLEBARSKIN", "PERSONALITY", "Button0", "Notes"}));
    EXPECT_EQ(form.ComboBoxFindIn->currentIndex(), 0);
    EXPECT_FALSE(form.ComboBoxFindIn->isEditable());
    QStringList headers;
    for (int i = 0; i < form.ListViewAttr->columnCount(); ++i)
        headers << form.ListViewAttr->headerItem()->text(i);
    EXPECT_EQ(headers, QStringList({"Name", "Value", "Section"}));
    // Centred on the screen.
    const QPoint centre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST_F(FindFormTest, RowsOfASearch)
{
    auto document = load();
    TFindForm form(*document);
    form.show();
    const struct {
        const char* what;
        QString text;
        bool names, values, whole, caseSensitive;
        int scope;
        std::vector<Row> expected;
    } cases[] = {
        {"values in all sections", "top", false, true, false, false, 0,
         {{"SkinName", "Harbour Top", "TITLEBARSKIN", TypeString},
          {"TOP", "Harbour\\top.bmp", "PERSONALITY", TypeFile},
          {"ButtonImage", "Harbour\\Top.bmp", "Button0", TypeFile},
          {"Text", "top of the top", "Notes", TypeUnknown}}},
        {"one section", "top", false, true, false, false, 3,
         {{"ButtonImage", "Harbour\\Top.bmp", "Button0", TypeFile}}},
        {"names", "top", true, false, false, false, 0,
         {{"TOP", "Harbour\\top.bmp", "PERSONALITY", TypeFile}, {"TopFrame", "5", "PERSONALITY", TypeInt}}},
        {"whole case-sensitive", "1", true, true, true, true, 0,
         {{"ButtonCount", "1", "PERSONALITY", TypeInt}, {"Action", "1", "Button0", TypeChoose}}},
        {"nothing", "nowhere", true, true, false, false, 0, {}},
    };
    for (const auto& c : cases) {
        search(form, c.text, c.names, c.values, c.whole, c.caseSensitive, c.scope);
        EXPECT_EQ(rows(form), c.expected) << c.what;
        const bool found = !c.expected.empty();
        for (QWidget* widget : std::initializer_list<QWidget*>{form.GroupBoxReplace, form.EditReplace,
                                                                form.ButtonReplace, form.ButtonSelectAll})
            EXPECT_EQ(widget->isEnabled(), found) << c.what << " " << widget->objectName().toStdString();
        EXPECT_EQ(form.EditReplace->palette().color(QPalette::Base),
                  form.palette().color(found ? QPalette::Base : QPalette::Button))
            << c.what;
        for (int i = 0; i < form.ListViewAttr->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = form.ListViewAttr->topLevelItem(i);
            EXPECT_EQ(item->checkState(0), Qt::Unchecked) << c.what;
            EXPECT_FALSE(item->icon(0).isNull()) << c.what;
        }
    }
}

TEST_F(FindFormTest, ReplacingInCheckedRows)
{
    const struct {
        const char* what;
        bool caseSensitive;
        std::vector<int> checked;  // rows of the values search for "top"; empty: Select All
        const char* replacement;
        const char* expected;
        int left;
    } cases[] = {
        // Found without regard to case, replaced with it: capitals stay, their rows go.
        {"capitals stay", false, {0, 2}, "bottom", kSkin, 2},
        {"checked rows only", true, {1}, "bottom",
         "[TITLEBARSKIN]\r\nSkinName=Harbour Top\r\nSkinAuthor=me\r\n"
         "[PERSONALITY]\r\nTOP=Harbour\\top.bmp\r\nTopFrame=5\r\nButtonCount=1\r\n"
         "[Button0]\r\nAction=1\r\nButtonImage=Harbour\\Top.bmp\r\n"
         "[Notes]\r\nText=bottom of the bottom\r\n",
         1},
        {"select all", false, {}, "deck",
         "[TITLEBARSKIN]\r\nSkinName=Harbour Top\r\nSkinAuthor=me\r\n"
         "[PERSONALITY]\r\nTOP=Harbour\\deck.bmp\r\nTopFrame=5\r\nButtonCount=1\r\n"
         "[Button0]\r\nAction=1\r\nButtonImage=Harbour\\Top.bmp\r\n"
         "[Notes]\r\nText=deck of the deck\r\n",
         0},
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
        std::vector<Row> unchecked;
        for (int i = 0; i < form.ListViewAttr->topLevelItemCount(); ++i)
            if (form.ListViewAttr->topLevelItem(i)->checkState(0) != Qt::Checked)
                unchecked.push_back(rows(form)[std::size_t(i)]);
        // Typed after the search: the rows were found with "top", and "top" is replaced.
        form.EditTextToFind->setText(QStringLiteral("other"));
        form.EditReplace->setText(QString::fromLatin1(c.replacement));
        form.ButtonReplace->click();
        EXPECT_EQ(readBytes(file), c.expected) << c.what;
        EXPECT_EQ(rows(form), unchecked) << c.what;
        EXPECT_EQ(int(rows(form).size()), c.left) << c.what;
        EXPECT_EQ(replaced, 1) << c.what;
        EXPECT_EQ(form.ButtonReplace->isEnabled(), c.left > 0) << c.what;
        // Nothing checked: nothing happens.
        form.ButtonReplace->click();
        EXPECT_EQ(replaced, 1) << c.what;
    }
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
    // It plays frames 0 to 23 and starts again.
    std::set<int> frames;
    int previous = form.Animate->Frame();
    bool wrapped = false;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 const int now = form.Animate->Frame();
                                 frames.insert(now);
                                 wrapped = wrapped || now < previous;
                                 previous = now;
                                 return wrapped;
                             }()),
                             10000);
    EXPECT_GE(*frames.begin(), 0);
    EXPECT_LE(*frames.rbegin(), TFindAnimation::kLastFrame);
    EXPECT_GT(frames.size(), 5u);
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
    // Without a document the command opens nothing.
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    main->Action(QStringLiteral("EditFindItem"))->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(shown);

    main->OpenFileName = QString::fromStdString(file.string());
    main->FileOpenRoutine();
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    explorer->SectionChange("Notes");
    QUndoStack& stack = main->History().Stack();
    const int steps = stack.count();
    const std::string before = explorer->Document()->DiskBytes();

    for (const char* command : {"EditFindItem", "ToolButtonFind"}) {
        shown = false;
        whenFindShown([](TFindForm& form) { search(form, QStringLiteral("top"), false, true, false, true); }, &shown);
        main->Action(QString::fromLatin1(command))->trigger();
        EXPECT_TRUE(shown) << command;
    }
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
    QTreeWidgetItem* row = explorer->ListViewExplorer->topLevelItem(0);
    QStringList cells;
    for (int column = 0; column < explorer->ListViewExplorer->columnCount(); ++column)
        cells << row->text(column);
    EXPECT_TRUE(cells.contains(QStringLiteral("end of the end"))) << cells.join(u'|').toStdString();
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
