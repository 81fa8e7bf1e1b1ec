// The explorer's "Code" page: colouring, the status panels, applying the edited text
// (on leaving, on saving), the edit and print items, find and replace.
#include "EditorFixture.h"
#include "support/FieldInput.h"

#include "common/CodeStyles.h"
#include "document/UisDefinition.h"
#include "editor/AttributeAddForm.h"
#include "editor/AttributeChecklist.h"
#include "editor/CodeView.h"
#include "editor/DocumentHistory.h"
#include "editor/ReplaceDialog.h"
#include "editor/ScriptEditor.h"
#include "editor/UISExplorerForm.h"
#include "store/AcceleratedIniFile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;

using CodeViewTest = EditorFixture;

// One letter per character: c code, m comment, s section.
QString styleMap(const QString& text)
{
    QTextDocument document;
    document.setPlainText(text);
    CodeHighlighter highlighter(&document);
    highlighter.rehighlight();
    const QColor code = codeFormat(LineCode).foreground().color();
    const QColor comment = codeFormat(LineComment).foreground().color();
    const QColor section = codeFormat(LineSection).foreground().color();
    QString map;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, QLatin1Char('?'));
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            for (int i = range.start; i < range.start + range.length && i < line.size(); ++i) {
                const QColor c = range.format.foreground().color();
                const bool bold = range.format.fontWeight() == QFont::Bold;
                const bool italic = range.format.fontItalic();
                line[i] = c == section && bold ? QLatin1Char('s')
                        : c == comment && italic ? QLatin1Char('m')
                        : c == code && !bold && !italic ? QLatin1Char('c')
                                                        : QLatin1Char('x');
            }
        map += line + (block.next().isValid() ? QStringLiteral("|") : QString());
    }
    return map;
}

TEST(CodeHighlighting, ColoursCommentsAndSectionsAsTheTextSays)
{
    const struct {
        const char* text;
        const char* styles;
    } cases[] = {
        {"[TITLEBARSKIN]\nSkinName=x", "ssssssssssssss|cccccccccc"},
        {"Key=a;b\nNext=1", "cccccmm|cccccc"},                // a ";" inside a value
        {"; note [Button0] end", "mmmmmmmsssssssssmmmm"},  // a bracket inside a comment
        {"[a;b]c", "sssssm"},                                  // the comment starts inside the name
        {"x=[open\ny=1\nz", "ccsssss|sss|s"},               // no "]": to the end of the text
        {"k=v ;tail", "ccccmmmmm"},                            // no line feed after the ";"
        {"] [a] ]", "ccssscc"},                                // a "]" alone is code
    };
    for (const auto& c : cases)
        EXPECT_EQ(styleMap(QString::fromLatin1(c.text)), QString::fromLatin1(c.styles)) << c.text;
}

TEST(CodeHighlighting, WithHighlightingOffTheTextIsBlack)
{
    TAcceleratedIniFile settings("");
    settings.WriteBool("CodeView", "EnableHighLighting", false);
    loadCodeStyles(settings);
    QTextDocument document;
    document.setPlainText(QStringLiteral("[a]\n;b"));
    CodeHighlighter highlighter(&document);
    highlighter.rehighlight();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            EXPECT_EQ(range.format.foreground().color(), QColor(Qt::black));
            EXPECT_NE(range.format.fontWeight(), QFont::Bold);
        }
    TAcceleratedIniFile defaults("");
    loadCodeStyles(defaults);
    // Colours are stored with red in the low byte.
    settings.WriteInteger("CodeView", "SectionColor", 0x00FF8040);
    loadCodeStyles(settings);
    EXPECT_EQ(codeFormat(LineSection).foreground().color(), QColor(0x40, 0x80, 0xFF));
    loadCodeStyles(defaults);
}

TEST(CodeHighlighting, TheCaretPanelsNameColumnLineSectionAndKey)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("; top\n[Button3]\nAction=2\n  XCoord = 5\n[Open\nKey"));
    const struct {
        int line, column;
        const char* panel0;
        const char* section;
        const char* key;
    } cases[] = {
        {0, 3, "3: 0", "", ""},
        {1, 0, "0: 1", "", ""},           // before the "[": nothing yet
        {1, 4, "4: 1", "Button3", ""},    // inside the header
        {2, 8, "8: 2", "Button3", "Action"},
        {3, 1, "1: 3", "Button3", "  XCoord "},
        {5, 2, "2: 5", "Open\nKey", ""},  // no "]": the rest of the text
    };
    for (const auto& c : cases) {
        const int position = document.findBlockByNumber(c.line).position() + c.column;
        const CodeCaretInfo info = codeCaretInfo(document, position);
        EXPECT_EQ(caretPanelText(info), QString::fromLatin1(c.panel0)) << c.line;
        EXPECT_EQ(info.section, QString::fromLatin1(c.section)) << c.line;
        EXPECT_EQ(info.key, QString::fromLatin1(c.key)) << c.line;
    }
}

struct CodePage {
    std::unique_ptr<TMainForm> main;
    TUISExplorerForm* explorer = nullptr;
    TCodeView* code = nullptr;
};

CodePage openOnCodePage(CodeViewTest& f)
{
    CodePage o{f.makeMain()};
    o.main->OpenFileName = QString::fromStdString((f.engine / "Tidewater" / "Tidewater.uis").string());
    o.main->FileOpenRoutine();
    o.explorer = o.main->Explorer();
    if (o.explorer) {
        o.explorer->ShowPage("TabSheetCodeView");
        o.code = o.explorer->CodeRichEdit;
    }
    return o;
}

void moveTo(TCodeView* code, const QString& text, int offset = 0)
{
    QTextCursor cursor = code->textCursor();
    cursor.setPosition(int(code->toPlainText().indexOf(text)) + offset);
    code->setTextCursor(cursor);
}

QStringList treeSections(TUISExplorerForm* explorer)
{
    QStringList names;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        names << item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < explorer->TreeViewSectionExplorer->topLevelItemCount(); ++i)
        walk(explorer->TreeViewSectionExplorer->topLevelItem(i));
    return names;
}

TEST_F(CodeViewTest, ThePageShowsTheWorkingCopyAndTheStatusPanelsFollowTheCaret)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    const std::string bytes = readBytes(editorState().WorkingCopyPath);
    std::string shown = bytes;
    for (std::size_t at; (at = shown.find("\r\n")) != std::string::npos;)
        shown.erase(at, 1);
    EXPECT_EQ(o.code->toPlainText().toStdString(), shown);
    EXPECT_FALSE(o.code->document()->isUndoAvailable());
    EXPECT_FALSE(editorState().CodeStale);

    moveTo(o.code, QStringLiteral("XCoord=24"), 3);
    auto panel = [&](int i) { return o.explorer->StatusBar->findChild<QLabel*>(QStringLiteral("StatusPanel") + QString::number(i)); };
    EXPECT_EQ(panel(1)->text(), QStringLiteral("Button0"));
    EXPECT_EQ(panel(2)->text(), QStringLiteral("XCoord"));
    EXPECT_EQ(panel(3)->text(),
              QStringLiteral("Distance in pixels from the aligned edge; right-aligned buttons count leftwards"));
    EXPECT_TRUE(panel(0)->text().startsWith(QStringLiteral("3: ")));
    EXPECT_TRUE(panel(0)->isVisibleTo(o.explorer));
    // With SKINWRT_SCREENSHOTS set, the page is saved there as a PNG to look at.
    if (const QByteArray folder = qgetenv("SKINWRT_SCREENSHOTS"); !folder.isEmpty()) {
        o.explorer->resize(900, 600);
        o.explorer->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/code-page.png"));
    }
    moveTo(o.code, QStringLiteral("; Tidewater"));
    EXPECT_EQ(panel(3)->text(), QStringLiteral("Unknown"));

    // Leaving the page gives the bar back its simple text.
    o.explorer->ShowPage("TabSheetSection");
    EXPECT_FALSE(panel(0)->isVisibleTo(o.explorer));
}

TEST_F(CodeViewTest, LeavingThePageAppliesTheTextAsOneStepAndRebuildsTheTree)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    TMainForm& main = *o.main;
    const std::string before = readBytes(editorState().WorkingCopyPath);
    ASSERT_NE(before.find("\r\n"), std::string::npos);

    moveTo(o.code, QStringLiteral("[Scrollbar]"), 1);
    QTextCursor cursor = o.code->textCursor();
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 9);
    cursor.insertText(QStringLiteral("ScrollArt"));
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n[Added]\nKey=1\n"));
    EXPECT_TRUE(editorState().Modified);
    EXPECT_TRUE(main.Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("EditUndoItem"))->isEnabled());
    // Nothing reaches the working copy before the page is left.
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);

    o.explorer->ShowPage("TabSheetSection");
    std::string expected = before;
    expected.replace(expected.find("[Scrollbar]"), 11, "[ScrollArt]");
    expected += "\r\n[Added]\r\nKey=1\r\n";
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), expected);
    const QStringList sections = treeSections(o.explorer);
    EXPECT_TRUE(sections.contains(QStringLiteral("Added")) || sections.join(QLatin1Char(' ')).contains(QStringLiteral("Added")))
        << sections.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(sections.join(QLatin1Char(' ')).contains(QStringLiteral("Scrollbar")));
    EXPECT_EQ(main.History().Stack().count(), 1);
    EXPECT_EQ(main.History().Stack().undoText(), QStringLiteral("Edit Code"));
    // Off the page, undo is the document's again and gives the old bytes back.
    EXPECT_FALSE(main.Action(QStringLiteral("EditCutItem"))->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("FilePrintItem"))->isEnabled());
    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);

    // Entering again shows the document as it now is; leaving unchanged records nothing.
    o.explorer->ShowPage("TabSheetCodeView");
    EXPECT_FALSE(o.code->toPlainText().contains(QStringLiteral("[Added]")));
    o.explorer->ShowPage("TabSheetSection");
    EXPECT_EQ(main.History().Stack().index(), 0);
}

// The code page and the insert dialogs' value field refuse characters single-byte text
// cannot hold, typed, pasted with the keys or with Edit > Paste: a message names them,
// the text stays as it was, and leaving the page writes nothing.
TEST_F(CodeViewTest, CharactersBeyondLatin1AreRefusedOnTheCodePageAndInTheInsertDialog)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    const std::string before = readBytes(editorState().WorkingCopyPath);
    TAttributeAddForm insert(*o.explorer->Document(), "Button1", "Button");
    const std::vector<AttributeOffer>& rows = insert.Attributes().Rows();
    int textRow = -1;
    for (int i = 0; i < insert.ListViewAttr->topLevelItemCount() && textRow < 0; ++i) {
        QTreeWidgetItem* item = insert.ListViewAttr->topLevelItem(i);
        const int row = item->data(0, Qt::UserRole).toInt();
        if (rows[std::size_t(row)].Icon != TypeChoose) {
            insert.ListViewAttr->setCurrentItem(item);
            textRow = row;
        }
    }
    ASSERT_GE(textRow, 0);
    ASSERT_TRUE(insert.EditValue->isEditable());
    const std::string offered = rows[std::size_t(textRow)].Value;

    enum How { Typed, PasteKeys, PasteCommand };
    struct Case {
        const char* what;
        QWidget* field;
        How how;
        const char* input;  // UTF-8
        const char* named;
    } cases[] = {
        {"code typed", o.code, Typed, "\u0100", "\u0100 (U+0100)"},
        {"code pasted", o.code, PasteKeys, "; a\u20acb\n[Neu]\u20ac", "\u20ac (U+20AC)"},
        {"code Edit > Paste", o.code, PasteCommand, "x\u0101\u0100", "\u0101 (U+0101), \u0100 (U+0100)"},
        {"insert value typed", insert.EditValue->lineEdit(), Typed, "\u0100", "\u0100 (U+0100)"},
        {"insert value pasted", insert.EditValue->lineEdit(), PasteKeys, "7\u2013", "\u2013 (U+2013)"},
    };
    for (const Case& c : cases) {
        const QString text = c.field == o.code ? o.code->toPlainText() : insert.EditValue->currentText();
        const std::size_t prompted = prompts.shown().size();
        prompts.answer(PromptAnswer::Ok);
        c.field->setFocus();
        const QString input = QString::fromUtf8(c.input);
        if (c.how == Typed) {
            typeInto(c.field, input);
        } else if (c.how == PasteKeys) {
            pasteInto(c.field, input);
        } else {
            QGuiApplication::clipboard()->setText(input);
            o.main->Action(QStringLiteral("EditPasteItem"))->trigger();
        }
        ASSERT_EQ(prompts.shown().size(), prompted + 1) << c.what;
        EXPECT_EQ(prompts.shown().back().text, refusedMessage(QString::fromUtf8(c.named))) << c.what;
        EXPECT_EQ(c.field == o.code ? o.code->toPlainText() : insert.EditValue->currentText(), text) << c.what;
    }
    EXPECT_FALSE(o.code->CodeModified());
    EXPECT_EQ(rows[std::size_t(textRow)].Value, offered);
    o.explorer->ShowPage("TabSheetSection");
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);
    EXPECT_EQ(o.main->History().Stack().count(), 0);
    EXPECT_FALSE(editorState().Modified);
}

TEST_F(CodeViewTest, ATextThatIsNoLongerAPersonalityIsAppliedAndUndoneWhole)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    const std::string before = readBytes(editorState().WorkingCopyPath);
    o.code->selectAll();
    o.code->textCursor().insertText(QStringLiteral("[Only]\nKey=1"));
    o.explorer->ShowPage("TabSheetAnalyze");
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), "[Only]\r\nKey=1");
    EXPECT_TRUE(treeSections(o.explorer).join(QLatin1Char(' ')).contains(QStringLiteral("Only")));
    o.main->Action(QStringLiteral("EditUndoItem"))->trigger();
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);
}

TEST_F(CodeViewTest, SavingOnThePageWritesTheTypedText)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    moveTo(o.code, QStringLiteral("SkinName=Tidewater"), 18);
    o.code->textCursor().insertText(QStringLiteral(" Blue"));
    o.main->Action(QStringLiteral("FileSaveItem"))->trigger();
    const std::string saved = readBytes(engine / "Tidewater" / "Tidewater.uis");
    EXPECT_NE(saved.find("SkinName=Tidewater Blue\r\n"), std::string::npos);
    EXPECT_FALSE(editorState().Modified);
    EXPECT_FALSE(o.explorer->CodeModified());
    EXPECT_TRUE(o.explorer->CodePageActive());
}

TEST_F(CodeViewTest, EditItemsActOnTheTextWhileThePageIsShown)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    TMainForm& main = *o.main;
    for (const char* name : {"EditCutItem", "EditCopyItem", "EditPasteItem", "FilePrintItem", "FilePrintSetupItem"})
        EXPECT_TRUE(main.Action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(main.Action(QStringLiteral("EditUndoItem"))->isEnabled());
    EXPECT_TRUE(main.findChild<QToolBar*>(QStringLiteral("ToolBarRichEdit"))->isVisibleTo(&main));

    const QString original = o.code->toPlainText();
    moveTo(o.code, QStringLiteral("[PERSONALITY]"));
    QTextCursor cursor = o.code->textCursor();
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, 13);
    o.code->setTextCursor(cursor);
    main.Action(QStringLiteral("EditCutItem"))->trigger();
    EXPECT_FALSE(o.code->toPlainText().contains(QStringLiteral("[PERSONALITY]")));
    main.Action(QStringLiteral("EditPasteItem"))->trigger();
    main.Action(QStringLiteral("EditPasteItem"))->trigger();
    EXPECT_EQ(o.code->toPlainText().count(QStringLiteral("[PERSONALITY]")), 2);
    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    EXPECT_EQ(o.code->toPlainText(), original);
    // The document's own history was not touched.
    EXPECT_EQ(main.History().Stack().count(), 0);
}

TEST_F(CodeViewTest, FindAndReplaceSearchDownCaseSensitivelyOneAtATime)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    o.main->Action(QStringLiteral("EditFindItem"))->trigger();
    auto* dialog = o.explorer->findChild<TReplaceDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());

    moveTo(o.code, QStringLiteral("[Button0]"));
    dialog->EditFind->setText(QStringLiteral("XCoord="));
    dialog->EditReplace->setText(QStringLiteral("XCOORD="));
    dialog->ButtonFindNext->click();
    const int first = o.code->textCursor().selectionStart();
    EXPECT_EQ(o.code->textCursor().selectedText(), QStringLiteral("XCoord="));
    EXPECT_GT(first, o.code->toPlainText().indexOf(QStringLiteral("[Button0]")));
    // Replace takes the match just found; "Replace All" makes one replacement too.
    dialog->ButtonReplace->click();
    EXPECT_EQ(o.code->toPlainText().indexOf(QStringLiteral("XCOORD=")), first);
    const int before = int(o.code->toPlainText().count(QStringLiteral("XCoord=")));
    dialog->ButtonReplaceAll->click();
    EXPECT_EQ(o.code->toPlainText().count(QStringLiteral("XCoord=")), before - 1);

    // Case-sensitive, downwards only: nothing after the last match.
    const std::size_t shownBefore = prompts.shown().size();
    dialog->EditFind->setText(QStringLiteral("xcoord="));
    prompts.answer(PromptAnswer::Ok);
    dialog->ButtonReplace->click();
    ASSERT_EQ(prompts.shown().size(), shownBefore + 1);
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("Could not find \"xcoord=\" in Memo1."));
    const QString text = o.code->toPlainText();
    dialog->EditFind->setText(QStringLiteral("[TITLEBARSKIN]"));
    dialog->ButtonFindNext->click();
    EXPECT_TRUE(o.code->textCursor().selectedText().isEmpty() ||
                o.code->textCursor().selectedText() != QStringLiteral("[TITLEBARSKIN]"));
    EXPECT_EQ(o.code->toPlainText(), text);
    prompts.answer(PromptAnswer::No);  // closing: "Save Changes to Tidewater?"
}

TEST_F(CodeViewTest, PrintSendsTheTextUnderTheSkinsTitle)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.code, nullptr);
    const fs::path pdf = dir.path() / "code.pdf";
    QString docName;
    TMainForm::PrintDialogHook() = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    };
    o.main->Action(QStringLiteral("FilePrintItem"))->trigger();
    docName = o.main->Printer().docName();
    TMainForm::PrintDialogHook() = nullptr;
    EXPECT_EQ(docName, QStringLiteral("Skinwright - Tidewater code"));
    const std::string bytes = readBytes(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    // The document's title, as the PDF stores it (UTF-16 with a byte order mark).
    std::string title = "\xfe\xff";
    for (char c : std::string("Skinwright - Tidewater code"))
        title += std::string(1, '\0') + c;
    EXPECT_NE(bytes.find("/Title (" + title + ")"), std::string::npos);

    // Cancelled: nothing printed.
    fs::remove(pdf);
    TMainForm::PrintDialogHook() = [](QPrinter&) { return false; };
    o.main->Action(QStringLiteral("FilePrintItem"))->trigger();
    TMainForm::PrintDialogHook() = nullptr;
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(CodeViewTest, ClosingAsksAboutAnEditedScriptAndCancelKeepsEverythingOpen)
{
    CodePage o = openOnCodePage(*this);
    ASSERT_NE(o.explorer, nullptr);
    TScriptEditorPage* page = o.explorer->Scripts;
    o.explorer->ShowPage("TabSheetScriptEditor");
    ASSERT_EQ(page->cbScriptSelector->count(), 1);
    EXPECT_EQ(page->cbScriptSelector->itemText(0), QStringLiteral("Tidewater\\hover.vxs"));
    page->cbScriptSelector->setCurrentIndex(0);
    page->reScript->textCursor().insertText(QStringLiteral("REPAINT\n"));
    if (const QByteArray folder = qgetenv("SKINWRT_SCREENSHOTS"); !folder.isEmpty())
        o.explorer->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/script-page.png"));
    const fs::path script = engine / "Tidewater" / "hover.vxs";
    const std::string onDisk = readBytes(script);

    // Cancel: nothing is closed, saved or deleted.
    prompts.answer(PromptAnswer::Cancel);
    o.main->Action(QStringLiteral("FileCloseItem"))->trigger();
    EXPECT_EQ(prompts.shown().back().text,
              QStringLiteral("hover.vxs has been modified. Do you wish Skinwright to save it for you?"));
    EXPECT_EQ(o.main->Explorer(), o.explorer);
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_TRUE(fs::exists(editorState().WorkingCopyPath));
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(readBytes(script), onDisk);

    // Yes: the script is written, the document closes.
    prompts.answer(PromptAnswer::Yes);
    o.main->Action(QStringLiteral("FileCloseItem"))->trigger();
    EXPECT_EQ(o.main->Explorer(), nullptr);
    EXPECT_EQ(readBytes(script), "REPAINT\r\n" + onDisk);
}

}  // namespace
}  // namespace sw
