// A seeded random run of the editor's own commands on one personality, checked after
// every step against what must always hold: the working copy is what the document
// holds, the explorer shows what the file holds, nothing outside the skin changes and
// nothing in it disappears; at the end undo gives back the bytes of the last opening.
// SKINWRT_RANDOM_STEPS and SKINWRT_RANDOM_SEED make a longer or another run.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/CodeView.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "editor/FindForm.h"
#include "editor/SectionAddForm.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "store/IniFile.h"
#include "store/ProfileFile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QSysInfo>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <random>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using RandomActionsTest = EditorFixture;

std::map<std::string, std::string> filesBelow(const fs::path& root, const fs::path& skip)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().parent_path() != skip)
            files[entry.path().string()] = readBytes(entry.path());
    return files;
}

class ActionRun {
public:
    ActionRun(RandomActionsTest& f, unsigned seed) : f_(f), random_(seed)
    {
        skin_ = f.engine / "Tidewater" / "Tidewater.uis";
        folder_ = skin_.parent_path();
        outside_ = filesBelow(f.engine, folder_);
        for (const auto& entry : fs::directory_iterator(folder_))
            kept_.push_back(entry.path());
        main_ = f.makeMain();
        open();
    }
    ~ActionRun()
    {
        if (main_->Explorer()) {
            if (editorState().Modified)
                f_.prompts.answer(PromptAnswer::No);
            main_->FileCloseItemClick();
        }
    }

    void open()
    {
        main_->OpenFileName = QString::fromStdString(skin_.string());
        main_->FileOpenRoutine();
        ASSERT_NE(main_->Explorer(), nullptr);
        opening_ = document().DiskBytes();
    }
    TUisFile& document() { return *main_->Explorer()->Document(); }
    TUISExplorerForm& explorer() { return *main_->Explorer(); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::string word() { return "v" + std::to_string(pick(1000)); }
    std::string button() { return "Button" + std::to_string(pick(std::max(1, document().ButtonCount()))); }
    std::string workingCopy() const { return editorState().WorkingCopyPath; }

    // Each command, named as the editor names what it does.
    std::vector<std::pair<const char*, std::function<void()>>> commands()
    {
        TMainForm& main = *main_;
        ScriptedPrompts& prompts = f_.prompts;
        return {
            {"type a value", [&] {
                 explorer().AttributeSelect("TITLEBARSKIN", pick(2) ? "SkinAuthor" : "SpecialNotes");
                 main.Band()->EditAttrValue->setText(QString::fromStdString(word()));
                 main.EditAttribute(-1);
             }},
            {"pick a colour", [&] {
                 explorer().AttributeSelect("PERSONALITY", "ActiveTextG");
                 const Colour colour = Colour(pick(256) + 256 * pick(256) + 65536 * pick(256));
                 main.Band()->SelectColour = [colour](Colour) { return std::optional<Colour>(colour); };
                 main.Band()->BitBtnPickaColor->click();
             }},
            {"drag a button", [&] {
                 TPreviewForm* preview = explorer().PreviewActive();
                 if (!preview || preview->Buttons().Count() == 0)
                     return;
                 const QPoint press = preview->Buttons().Button(0).Layer.Rect.topLeft() + QPoint(2, 2);
                 const QPoint to = press + QPoint(pick(9) - 4, pick(5) - 2);
                 preview->ButtonMouseDown(0, press);
                 preview->ButtonMouseMove(to);
                 preview->ButtonMouseUp(to);
             }},
            {"size bar", [&] {
                 TSizeBarForm* bar = main.SizeBar();
                 bar->ShowFor(&document(), TSizeBarForm::EdgeTop, QRect(0, 100, 300, 30), 200, true);
                 const int first = 10 + pick(40);
                 bar->Splitter->setSizes({first, 258 - first - 30, 30});
                 bar->Splitter1Moved();
             }},
            {"current windows colours", [&] { main.Action(QStringLiteral("InsertCurrentWindowsColoursItem"))->trigger(); }},
            {"duplicate button", [&] { explorer().ButtonDuplicate(button()); }},
            {"remove button", [&] {
                 if (document().ButtonCount() < 2)
                     return;
                 prompts.answer(PromptAnswer::Yes);
                 explorer().SectionRemove(button());
             }},
            {"remove section", [&] {
                 const char* sections[] = {"PROGRESS", "Text", "Clock", "Layout0"};
                 const char* section = sections[pick(4)];
                 if (!document().SectionExists(section))
                     return;
                 prompts.answer(PromptAnswer::Yes);
                 explorer().SectionRemove(section);
             }},
            {"remove attribute", [&] {
                 explorer().SectionChange("Fonts");
                 QTreeWidget* list = explorer().ListViewExplorer;
                 if (list->topLevelItemCount() == 0)
                     return;
                 list->setCurrentItem(list->topLevelItem(0));
                 prompts.answer(PromptAnswer::Yes);
                 explorer().PopupMenuAttributeList->findChild<QAction*>(QStringLiteral("PopupRemoveAttribute"))->trigger();
             }},
            {"reorder", [&] {
                 explorer().SectionChange("TABS");
                 auto* list = explorer().ListViewExplorer;
                 if (list->topLevelItemCount() < 2)
                     return;
                 list->insertTopLevelItem(0, list->takeTopLevelItem(list->topLevelItemCount() - 1));
                 emit list->rowsReordered();
             }},
            {"insert section", [&] {
                 QTimer::singleShot(0, [] {
                     auto* form = qobject_cast<TSectionAddForm*>(QApplication::activeModalWidget());
                     ASSERT_NE(form, nullptr);
                     for (int i = 0; i < form->ListViewSection->topLevelItemCount(); ++i) {
                         QTreeWidgetItem* item = form->ListViewSection->topLevelItem(i);
                         if (form->Sections()[std::size_t(item->data(0, Qt::UserRole).toInt())].Name == "Button")
                             form->ListViewSection->setCurrentItem(item);
                     }
                     form->ButtonOKClick();
                 });
                 explorer().SectionAdd();
             }},
            {"find and replace", [&] {
                 TFindForm form(document());
                 QObject::connect(&form, &TFindForm::Replaced, &main,
                                  [&main] { main.NotifyModification(QStringLiteral("Replace")); });
                 form.EditTextToFind->setText(QStringLiteral("Tidewater"));
                 form.ButtonFind->click();
                 if (form.ListViewAttr->topLevelItemCount() == 0)
                     return;
                 form.ListViewAttr->topLevelItem(pick(form.ListViewAttr->topLevelItemCount()))->setCheckState(0, Qt::Checked);
                 form.EditReplace->setText(QStringLiteral("Tidewater"));
                 form.ButtonReplace->click();
             }},
            {"type on the code page and leave it", [&] {
                 explorer().ShowPage("TabSheetCodeView");
                 QTextCursor cursor = explorer().CodeRichEdit->textCursor();
                 cursor.movePosition(QTextCursor::End);
                 const std::string section = "Typed" + std::to_string(++typed_), value = word();
                 cursor.insertText(QString::fromStdString("\n[" + section + "]\nKey=" + value + "\n"));
                 const int buttons = document().ButtonCount();
                 const bool other = pick(2);
                 if (other)  // another change while the text is not applied yet
                     explorer().ButtonDuplicate(button());
                 explorer().ShowPage("TabSheetSection");
                 QApplication::processEvents();
                 // Neither the text nor the other change is lost.
                 EXPECT_EQ(document().ReadString(section, "Key", ""), value);
                 EXPECT_EQ(document().ButtonCount(), buttons + (other ? 1 : 0));
             }},
            {"undo", [&] { main.Action(QStringLiteral("EditUndoItem"))->trigger(); }},
            {"redo", [&] { main.Action(QStringLiteral("EditRedoItem"))->trigger(); }},
            {"save", [&] {
                 main.FileSave();
                 // Save then reopen gives the saved bytes.
                 EXPECT_EQ(readBytes(skin_), tidySavedPersonality(document().DiskBytes()));
             }},
            {"close and reopen", [&] {
                 if (editorState().Modified)
                     prompts.answer(PromptAnswer::Yes);
                 ASSERT_TRUE(main.FileCloseItemClick());
                 const std::string saved = readBytes(skin_);
                 open();
                 EXPECT_EQ(readBytes(workingCopy()), saved);
             }},
            {"crash and recover", [&] {
                 // What a killed editor leaves: its working copy, and a lock of a dead process.
                 const std::string left = document().DiskBytes();
                 const std::string copy = workingCopy();
                 if (editorState().Modified)
                     prompts.answer(PromptAnswer::No);
                 ASSERT_TRUE(main.FileCloseItemClick());
                 writeBytes(copy, left);
                 writeBytes(copy + ".lock", "2147480000\nskinwrt\n" + QSysInfo::machineHostName().toStdString() + "\n");
                 if (left != readBytes(skin_))
                     prompts.answer(PromptAnswer::Yes);
                 const std::string file = readBytes(skin_);
                 main.OpenFileName = QString::fromStdString(skin_.string());
                 main.FileOpenRoutine();
                 ASSERT_NE(main.Explorer(), nullptr);
                 EXPECT_EQ(document().DiskBytes(), left);
                 EXPECT_EQ(editorState().Modified, left != file);
                 opening_ = file;  // undoing everything gives the personality back
             }},
            {"outside set", [&] {
                 ProfileFile outside(skin_);
                 outside.setDurable(false);
                 outside.writeString("Outside", "Key" + std::to_string(pick(5)), word());
                 // The next save asks; keep both, mine winning any conflict.
                 prompts.answer(PromptAnswer::Yes).answer(PromptAnswer::Yes);
                 main.FileSave();
                 prompts = ScriptedPrompts();  // no conflict: one answer was not needed
                 TIniFile saved(skin_.string());
                 EXPECT_EQ(document().ReadString("Outside", "Key0", "-"), saved.ReadString("Outside", "Key0", "-"));
             }},
            {"failed write", [&] {
                 const std::string copy = workingCopy();
                 const std::string before = readBytes(copy);
                 fs::permissions(copy, fs::perms::owner_read);
                 explorer().ButtonDuplicate(button());
                 prompts.answer(PromptAnswer::Ok);
                 QApplication::processEvents();
                 fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
                 EXPECT_EQ(readBytes(copy), before);
             }},
        };
    }

    void check(const char* step)
    {
        SCOPED_TRACE(step);
        ASSERT_EQ(f_.prompts.pendingAnswers(), 0u);
        EXPECT_EQ(filesBelow(f_.engine, folder_), outside_);
        for (const fs::path& file : kept_)
            EXPECT_TRUE(fs::exists(file)) << file;
        if (!main_->Explorer())
            return;
        const std::string bytes = readBytes(workingCopy());
        ASSERT_EQ(bytes, document().DiskBytes());
        // The document reads what a fresh store of the file reads.
        TIniFile fresh(workingCopy());
        TStrings sections, expected;
        fresh.ReadSections(expected);
        document().ReadSections(sections);
        ASSERT_EQ(sections, expected);
        // The explorer's rows show the file's values.
        QTreeWidget* list = explorer().ListViewExplorer;
        const std::string section = editorState().CurrentSection;
        for (int i = 0; i < list->topLevelItemCount() && !section.empty(); ++i) {
            const std::string key = list->topLevelItem(i)->data(0, Qt::UserRole + 2).toString().toStdString();
            const std::string raw = list->topLevelItem(i)->data(0, Qt::UserRole + 1).toString().toStdString();
            EXPECT_EQ(raw, fresh.ReadString(section, key, "")) << section << " " << key;
        }
    }

    void finish()
    {
        QUndoStack& stack = main_->History().Stack();
        while (stack.canUndo())
            stack.undo();
        EXPECT_EQ(readBytes(workingCopy()), opening_);
    }

private:
    RandomActionsTest& f_;
    std::mt19937 random_;
    fs::path skin_, folder_;
    std::map<std::string, std::string> outside_;
    std::vector<fs::path> kept_;
    std::unique_ptr<TMainForm> main_;
    std::string opening_;
    int typed_ = 0;
};

int fromEnvironment(const char* name, int fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toInt();
}

TEST_F(RandomActionsTest, EveryStepKeepsTheFileTheDocumentAndTheHistoryInAgreement)
{
    const int steps = fromEnvironment("SKINWRT_RANDOM_STEPS", 40);
    std::vector<unsigned> seeds = {1, 2, 3};
    const fs::path pristine = dir.path() / "pristine";
    fs::copy(engine, pristine, fs::copy_options::recursive);
    if (const int seed = fromEnvironment("SKINWRT_RANDOM_SEED", 0))
        seeds = {unsigned(seed)};
    for (unsigned seed : seeds) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        editorState() = EditorState{};
        {
            ActionRun run(*this, seed);
            auto commands = run.commands();
            std::string done;
            for (int i = 0; i < steps && !HasFailure(); ++i) {
                auto& [name, command] = commands[std::size_t(run.pick(int(commands.size())))];
                done += std::string(done.empty() ? "" : ", ") + name;
                command();
                run.check(name);
            }
            if (!HasFailure())
                run.finish();
            if (HasFailure())
                ADD_FAILURE() << "steps of seed " << seed << ": " << done;
        }
        prompts = ScriptedPrompts();
        // The next seed starts from the shipped skin.
        fs::remove_all(engine);
        fs::copy(pristine, engine, fs::copy_options::recursive);
    }
}

}  // namespace
}  // namespace sw
