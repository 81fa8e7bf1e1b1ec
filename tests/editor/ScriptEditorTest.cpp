// The "Scripts" page: line kinds and their styles, the question about unsaved edits,
// the bytes written by "Save" and "Save As", and failed reads and writes.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "common/CodeStyles.h"
#include "common/GlyphList.h"
#include "editor/ScriptEditor.h"

#include <QComboBox>

#include <optional>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

TEST(ScriptLineType, WholeLinesAreMatchedCaseSensitively)
{
    struct Case {
        const char* line;
        int type;
    } cases[] = {
        {"SET", 5},        {"SET ", 3},  {" SET", 3},       {"set", 3},      {"JUMPTOTOP", 5}, {"SETTIMER", 5},
        {"IF", 5},         {"END", 5},   {";x", 1},         {";", 1},        {"; SET", 1},     {" ;x", 3},
        {"T1", 4},         {"T5", 3},    {"TITLESTATE", 4}, {"ALPHA", 4},    {"alpha", 3},     {"TEMP4", 4},
        {"ASSIGN 1", 3},   {"", 3},      {"200", 3},        {"[Button0]", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TScriptEditorPage::DetermineLineType(QString::fromLatin1(c.line)), c.type) << '"' << c.line << '"';
}

class ScriptEditorTest : public EditorFixture {
public:
    fs::path folder = engine / "Tidewater";
    fs::path hover = folder / "hover.vxs";
    fs::path plain = folder / "plain.vxs";
    std::string hoverBytes;
    static constexpr const char* kPlainBytes = "; unix line ends\nGET\nT2\n";
    std::unique_ptr<TUisFile> document;
    std::unique_ptr<TScriptEditorPage> page;

    void SetUp() override
    {
        EditorFixture::SetUp();
        hoverBytes = readBytes(hover);
        writeBytes(plain, kPlainBytes);
        writeBytes(folder / "readme.txt", "not a script\r\n");
        setDocumentPaths(editorState(), (folder / "Tidewater.uis").string());
        document = std::make_unique<TUisFile>((folder / "Tidewater.uis").string());
        document->FormatVersion();
        page = std::make_unique<TScriptEditorPage>();
        page->Fill(*document);
    }
    void TearDown() override
    {
        page.reset();
        document.reset();
        EditorFixture::TearDown();
    }

    void choose(const QString& item)
    {
        const int index = page->cbScriptSelector->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        page->cbScriptSelector->setCurrentIndex(index);
    }
    // Types a line at the end of the script (after its last line end), as the user would.
    void typeLine(const QString& line)
    {
        page->reScript->moveCursor(QTextCursor::End);
        QTest::keyClicks(page->reScript, line);
        QTest::keyClick(page->reScript, Qt::Key_Return);
    }
    QTextCharFormat lineFormat(int line) const
    {
        const QTextBlock block = page->reScript->document()->findBlockByNumber(line);
        const auto formats = block.layout()->formats();
        return formats.isEmpty() ? QTextCharFormat() : formats.front().format;
    }
};

TEST_F(ScriptEditorTest, TheSelectorListsTheFolderScriptsAndLoadedLinesTakeTheirStyles)
{
    QStringList items;
    for (int i = 0; i < page->cbScriptSelector->count(); ++i)
        items << page->cbScriptSelector->itemText(i);
    EXPECT_EQ(items, (QStringList{"Tidewater\\hover.vxs", "Tidewater\\plain.vxs"}));
    EXPECT_EQ(page->cbScriptSelector->currentIndex(), -1);  // nothing is loaded before a choice
    EXPECT_EQ(page->cbScriptSelector->placeholderText(), QStringLiteral("Available scripts"));

    choose("Tidewater\\hover.vxs");
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("hover.vxs"));
    EXPECT_FALSE(page->Modified());
    EXPECT_EQ(page->reScript->textCursor().position(), 0);
    const int expected[] = {1, 1, 5, 4, 3, 5, 5, 3};  // the last, empty line follows the final CRLF
    ASSERT_EQ(page->reScript->document()->blockCount(), int(std::size(expected)));
    for (int line = 0; line < int(std::size(expected)); ++line) {
        const QTextBlock block = page->reScript->document()->findBlockByNumber(line);
        if (block.text().isEmpty())
            continue;
        const QTextCharFormat want = codeFormat(CodeLineType(expected[line]));
        const QTextLayout::FormatRange range = block.layout()->formats().value(0);
        EXPECT_EQ(range.start, 0) << line;
        EXPECT_EQ(range.length, block.text().size()) << line;
        EXPECT_EQ(range.format.foreground().color(), want.foreground().color()) << line;
        EXPECT_EQ(range.format.fontWeight(), want.fontWeight()) << line;
        EXPECT_EQ(range.format.fontItalic(), want.fontItalic()) << line;
    }
    // The default styles: grey comments, blue values.
    EXPECT_EQ(lineFormat(0).foreground().color(), QColor(128, 128, 128));
    EXPECT_EQ(lineFormat(3).foreground().color(), QColor(0, 0, 255));

    // The colouring itself is neither an edit nor an undo step.
    QTextDocument& text = *page->reScript->document();
    EXPECT_EQ(text.availableUndoSteps(), 0);
    // Typing re-colours the line as it becomes a keyword, then plain code again.
    const QString loaded = text.toPlainText();
    page->reScript->moveCursor(QTextCursor::End);
    QTest::keyClicks(page->reScript, "MATHS");
    EXPECT_EQ(lineFormat(7).fontWeight(), QFont::Bold);
    QTest::keyClicks(page->reScript, " ");
    EXPECT_EQ(lineFormat(7).fontWeight(), QFont::Normal);
    EXPECT_TRUE(page->Modified());
    while (text.isUndoAvailable())
        text.undo();
    EXPECT_EQ(text.toPlainText(), loaded);
    EXPECT_FALSE(page->Modified());
}

TEST_F(ScriptEditorTest, TheQuestionAboutEditsSavesDiscardsOrKeepsThem)
{
    const std::string edited = hoverBytes + "TEMP1\r\n";
    struct Case {
        PromptAnswer answer;
        std::string fileAfter;
        QString shownAfter;  // the selector's item
        bool keepsEdits;
    } cases[] = {
        {PromptAnswer::Yes, edited, "Tidewater\\plain.vxs", false},
        {PromptAnswer::No, hoverBytes, "Tidewater\\plain.vxs", false},
        {PromptAnswer::Cancel, hoverBytes, "Tidewater\\hover.vxs", true},
    };
    for (const Case& c : cases) {
        const std::string name = promptAnswerName(c.answer).toStdString();
        writeBytes(hover, hoverBytes);
        page = std::make_unique<TScriptEditorPage>();
        page->Fill(*document);
        choose("Tidewater\\hover.vxs");
        typeLine("TEMP1");
        const QString text = page->reScript->toPlainText();
        const std::size_t before = prompts.shown().size();
        prompts.answer(c.answer);
        choose("Tidewater\\plain.vxs");

        ASSERT_EQ(prompts.shown().size(), before + 1) << name;
        const ShownPrompt& question = prompts.shown().back();
        EXPECT_EQ(question.text,
                  QStringLiteral("hover.vxs has been modified. Do you wish Skinwright to save it for you?"));
        EXPECT_EQ(question.caption, QStringLiteral("File change notification"));
        EXPECT_EQ(question.icon, PromptIcon::Question);
        EXPECT_EQ(question.buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(readBytes(hover), c.fileAfter) << name;
        EXPECT_EQ(readBytes(plain), kPlainBytes) << name;
        EXPECT_EQ(page->cbScriptSelector->currentText(), c.shownAfter) << name;
        EXPECT_EQ(page->Modified(), c.keepsEdits) << name;
        if (c.keepsEdits) {
            EXPECT_EQ(page->reScript->toPlainText(), text) << name;
            EXPECT_EQ(page->ScriptFileName(), QStringLiteral("hover.vxs")) << name;
        } else {
            EXPECT_EQ(page->reScript->toPlainText(), QString::fromLatin1(kPlainBytes)) << name;
            EXPECT_EQ(page->ScriptFileName(), QStringLiteral("plain.vxs")) << name;
        }
    }
    // Unchanged scripts are left without a question.
    page = std::make_unique<TScriptEditorPage>();
    page->Fill(*document);
    choose("Tidewater\\hover.vxs");
    const std::size_t before = prompts.shown().size();
    EXPECT_TRUE(page->SaveScript());
    choose("Tidewater\\plain.vxs");
    EXPECT_EQ(prompts.shown().size(), before);
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("plain.vxs"));
}

// Text typed before any script is chosen is asked about too, since choosing a script
// puts that file's text in its place: saved as a new script, discarded, or kept.
TEST_F(ScriptEditorTest, TextTypedBeforeAScriptIsChosenIsAskedAbout)
{
    const fs::path created = folder / "typed.vxs";
    struct Case {
        const char* name;
        PromptAnswer answer;
        std::optional<QString> savedAs;  // the save dialog's answer, when it is shown
        bool keepsText;                  // the typed text stays, no script chosen
        std::optional<std::string> createdBytes;
    } cases[] = {
        {"save as a new script", PromptAnswer::Yes, QString::fromStdString(created.string()), false, "SET\r\nT1\r\n"},
        {"save dialog cancelled", PromptAnswer::Yes, QString(), true, std::nullopt},
        {"discard", PromptAnswer::No, std::nullopt, false, std::nullopt},
        {"cancel", PromptAnswer::Cancel, std::nullopt, true, std::nullopt},
    };
    for (const Case& c : cases) {
        fs::remove(created);
        page = std::make_unique<TScriptEditorPage>();
        page->Fill(*document);
        ASSERT_EQ(page->cbScriptSelector->currentIndex(), -1);
        typeLine("SET");
        typeLine("T1");
        const QString typed = page->reScript->toPlainText();
        const std::size_t before = prompts.shown().size();
        prompts.answer(c.answer);
        if (c.savedAs)
            prompts.choosePath(*c.savedAs);
        choose("Tidewater\\plain.vxs");

        ASSERT_EQ(prompts.shown().size(), before + (c.savedAs ? 2 : 1)) << c.name;
        const ShownPrompt& question = prompts.shown()[before];
        EXPECT_EQ(question.text, QStringLiteral("The script text you typed is not saved in any script file. Do you "
                                                "wish Skinwright to save it as a new script?\n\nYes saves it under a "
                                                "new name, No discards it."));
        EXPECT_EQ(question.caption, QStringLiteral("File change notification"));
        EXPECT_EQ(question.buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(fs::exists(created), c.createdBytes.has_value()) << c.name;
        if (c.createdBytes)
            EXPECT_EQ(readBytes(created), *c.createdBytes) << c.name;
        EXPECT_EQ(readBytes(plain), kPlainBytes) << c.name;
        if (c.keepsText) {
            EXPECT_EQ(page->reScript->toPlainText(), typed) << c.name;
            EXPECT_TRUE(page->Modified()) << c.name;
            EXPECT_EQ(page->cbScriptSelector->currentIndex(), -1) << c.name;
        } else {
            EXPECT_EQ(page->reScript->toPlainText(), QString::fromLatin1(kPlainBytes)) << c.name;
            EXPECT_FALSE(page->Modified()) << c.name;
            EXPECT_EQ(page->cbScriptSelector->currentText(), QStringLiteral("Tidewater\\plain.vxs")) << c.name;
            EXPECT_EQ(page->ScriptFileName(), QStringLiteral("plain.vxs")) << c.name;
        }
    }
}

TEST_F(ScriptEditorTest, SavingKeepsTheFilesOwnLineEnds)
{
    struct Case {
        const char* item;
        fs::path file;
        std::string original;
    } cases[] = {
        {"Tidewater\\hover.vxs", hover, hoverBytes},
        {"Tidewater\\plain.vxs", plain, kPlainBytes},
    };
    for (const Case& c : cases) {
        choose(c.item);
        // An unchanged script is written back byte for byte.
        ASSERT_TRUE(page->ScriptSaveButtonClick()) << c.item;
        EXPECT_EQ(readBytes(c.file), c.original) << c.item;
        page->reScript->moveCursor(QTextCursor::End);
        QTest::keyClicks(page->reScript, "ADD");
        QTest::keyClick(page->reScript, Qt::Key_Home);
        QTest::keyClick(page->reScript, Qt::Key_Return);
        ASSERT_TRUE(page->Modified());
        ASSERT_TRUE(page->ScriptSaveButtonClick()) << c.item;
        EXPECT_FALSE(page->Modified());
        const std::string end = c.file == hover ? "\r\n" : "\n";
        EXPECT_EQ(readBytes(c.file), c.original + end + "ADD") << c.item;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ScriptEditorTest, SaveAsWritesTheTextRefillsAndSelectsTheNewScript)
{
    choose("Tidewater\\plain.vxs");
    typeLine("END");
    // Entering the page again lists the files anew but keeps the script and its edits.
    page->Fill(*document);
    EXPECT_EQ(page->cbScriptSelector->currentText(), QStringLiteral("Tidewater\\plain.vxs"));
    EXPECT_TRUE(page->Modified());
    const QString text = page->reScript->toPlainText();

    const fs::path copy = folder / "copy.vxs";
    prompts.choosePath(QString::fromStdString(copy.string()));
    ASSERT_TRUE(page->ScriptSaveAsButtonClick());
    const ShownPrompt& dialog = prompts.shown().back();
    EXPECT_EQ(dialog.kind, ShownPrompt::Kind::SaveFile);
    EXPECT_EQ(dialog.dialog.folder, QString::fromStdString(editorState().SkinFolder));
    EXPECT_EQ(dialog.dialog.filter, QStringLiteral("Script Files|*.vxs|All files|*.*"));
    EXPECT_EQ(dialog.dialog.defaultSuffix, QStringLiteral("vxs"));
    EXPECT_EQ(dialog.dialog.fileName, QStringLiteral("plain.vxs"));

    EXPECT_EQ(readBytes(copy), std::string(kPlainBytes) + "END\n");
    EXPECT_EQ(readBytes(plain), kPlainBytes);
    EXPECT_EQ(page->cbScriptSelector->count(), 3);
    EXPECT_EQ(page->cbScriptSelector->currentText(), QStringLiteral("Tidewater\\copy.vxs"));
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("copy.vxs"));
    EXPECT_EQ(page->reScript->toPlainText(), text);
    EXPECT_FALSE(page->Modified());

    // Saved outside the personality's folder: no item stands for it, and "Save" writes
    // where it was saved.
    const fs::path elsewhere = dir.path() / "hover.vxs";
    prompts.choosePath(QString::fromStdString(elsewhere.string()));
    ASSERT_TRUE(page->ScriptSaveAsButtonClick());
    EXPECT_EQ(page->cbScriptSelector->currentIndex(), -1);
    typeLine("IF");
    ASSERT_TRUE(page->ScriptSaveButtonClick());
    EXPECT_EQ(readBytes(elsewhere), std::string(kPlainBytes) + "END\nIF\n");
    EXPECT_EQ(readBytes(hover), hoverBytes);

    // Cancelling the dialog changes nothing.
    typeLine("GET");
    prompts.choosePath({});
    EXPECT_FALSE(page->ScriptSaveAsButtonClick());
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("hover.vxs"));
}

TEST_F(ScriptEditorTest, FailedWritesAndReadsChangeNothing)
{
    choose("Tidewater\\hover.vxs");
    typeLine("REPAINT");
    const QString text = page->reScript->toPlainText();
    fs::permissions(hover, fs::perms::owner_read, fs::perm_options::replace);

    // "Save", and "Yes" to the question: the message names the file; edits, mark and name stay.
    prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
    EXPECT_FALSE(page->ScriptSaveButtonClick());
    choose("Tidewater\\plain.vxs");
    // A save that failed leaves the edits in place: the page stays on its script.
    EXPECT_EQ(page->cbScriptSelector->currentText(), QStringLiteral("Tidewater\\hover.vxs"));
    const fs::path missingFolder = folder / "gone" / "x.vxs";
    prompts.choosePath(QString::fromStdString(missingFolder.string())).answer(PromptAnswer::Ok);
    EXPECT_FALSE(page->ScriptSaveAsButtonClick());

    std::vector<QString> errors;
    for (const ShownPrompt& shown : prompts.shown())
        if (shown.kind == ShownPrompt::Kind::Message && shown.icon == PromptIcon::Error) {
            EXPECT_EQ(shown.caption, QStringLiteral("Error"));
            EXPECT_EQ(shown.buttons, PromptButtons::Ok);
            errors.push_back(shown.text);
        }
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(hover.string()))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QString::fromStdString(hover.string()))) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].contains(QString::fromStdString(missingFolder.string()))) << errors[2].toStdString();
    EXPECT_EQ(readBytes(hover), hoverBytes);
    EXPECT_EQ(page->reScript->toPlainText(), text);
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("hover.vxs"));
    fs::permissions(hover, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);

    // A listed script that is gone by the time it is chosen: nothing is loaded.
    ASSERT_TRUE(page->ScriptSaveButtonClick());
    fs::remove(plain);
    prompts.answer(PromptAnswer::Ok);
    choose("Tidewater\\plain.vxs");
    const ShownPrompt& error = prompts.shown().back();
    EXPECT_EQ(error.icon, PromptIcon::Error);
    EXPECT_TRUE(error.text.contains(QString::fromStdString(plain.string()))) << error.text.toStdString();
    EXPECT_EQ(page->reScript->toPlainText(), text);
    EXPECT_EQ(page->ScriptFileName(), QStringLiteral("hover.vxs"));
    EXPECT_EQ(page->cbScriptSelector->currentText(), QStringLiteral("Tidewater\\hover.vxs"));

    // Characters a script file cannot hold are refused rather than written as "?".
    page->reScript->moveCursor(QTextCursor::End);
    page->reScript->insertPlainText(QString(QChar(0x20AC)));
    prompts.answer(PromptAnswer::Ok);
    EXPECT_FALSE(page->ScriptSaveButtonClick());
    EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Error);
    EXPECT_TRUE(page->Modified());
    EXPECT_EQ(readBytes(hover), hoverBytes + "REPAINT\r\n");
}

TEST_F(ScriptEditorTest, TheSelectorRowAndTheItemsAreLaidOutAsDrawn)
{
    page->resize(500, 300);
    page->show();
    const QRect selector = page->cbScriptSelector->geometry();
    const QRect save = page->ScriptSaveButton->geometry();
    const QRect saveAs = page->ScriptSaveAsButton->geometry();
    EXPECT_EQ(saveAs.right(), 500 - 1 - 8);
    EXPECT_EQ(saveAs.left() - save.right() - 1, 8);
    EXPECT_EQ(save.left() - selector.right() - 1, 8);
    EXPECT_EQ(selector.left(), 0);
    const QRect comment = page->reScriptComment->geometry();
    EXPECT_EQ(comment.height(), 60);
    EXPECT_EQ(comment.bottom(), 299);
    EXPECT_GT(page->reScript->geometry().height(), 100);
    EXPECT_EQ(page->reScript->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(page->reScript->font().pointSize(), 9);

    // An item: the glyph's own pixels at 2 pixels from the left.
    QAbstractItemDelegate* delegate = page->cbScriptSelector->itemDelegate();
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 200, 20);
    option.palette = page->palette();
    option.font = page->font();
    QImage item(200, 20, QImage::Format_ARGB32);
    item.fill(Qt::white);
    {
        QPainter painter(&item);
        delegate->paint(&painter, option, page->cbScriptSelector->model()->index(0, 0));
    }
    const QImage glyph = glyphPixmap(46).toImage().convertToFormat(QImage::Format_ARGB32);
    QImage expected(glyph.size(), QImage::Format_ARGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.drawImage(0, 0, glyph);
    }
    EXPECT_EQ(item.copy(2, 2, 16, 16), expected);
    // Nothing between the glyph and the text.
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(item.pixel(18, y), QColor(Qt::white).rgba()) << y;
}

}  // namespace
}  // namespace sw
