#include "editor/ScriptEditor.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "common/CodeStyles.h"
#include "engine/EditorState.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "engine/PromptService.h"
#include "store/FileBytes.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kScriptGlyph = 46;
constexpr int kGlyphLeft = 2;
constexpr int kTextLeft = 20;
constexpr int kGap = 8;
constexpr int kCommentHeight = 60;

const QString kKeyWords[] = {
    QStringLiteral("SET"), QStringLiteral("GET"),     QStringLiteral("END"),      QStringLiteral("MATHS"),
    QStringLiteral("REPAINT"), QStringLiteral("SETTIMER"), QStringLiteral("IF"), QStringLiteral("JUMPTOTOP"),
};

const QString kValueWords[] = {
    QStringLiteral("T1"),      QStringLiteral("T2"),         QStringLiteral("T3"),     QStringLiteral("T4"),
    QStringLiteral("HWND"),    QStringLiteral("BUTNO"),      QStringLiteral("TITLESTATE"),
    QStringLiteral("ASSIGN"),  QStringLiteral("ADD"),        QStringLiteral("SUBTRACT"),
    QStringLiteral("TEMP1"),   QStringLiteral("TEMP2"),      QStringLiteral("TEMP3"),  QStringLiteral("TEMP4"),
    QStringLiteral("ALPHA"),
};

// Each line takes the style of its kind as a whole. Highlighting lies over the text
// (it is not part of it), so colouring never touches the undo history or the
// modified mark, and only lines that changed are coloured again.
class ScriptHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        const auto type = CodeLineType(TScriptEditorPage::DetermineLineType(text));
        setFormat(0, int(text.size()), codeFormat(type));
    }
};

QPushButton* makeButton(const char* name, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// The file name of a "Folder\file" reference.
QString referenceFileName(const QString& reference)
{
    return reference.mid(reference.lastIndexOf(QLatin1Char('\\')) + 1);
}

}  // namespace

void ScriptItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    // The style draws the background and the selection; the glyph and the text go
    // where they always were.
    item.text.clear();
    item.icon = QIcon();
    item.features &= ~QStyleOptionViewItem::HasDecoration;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    painter->save();
    const QRect& rect = option.rect;
    const QPixmap glyph = glyphPixmap(kScriptGlyph);
    painter->drawPixmap(rect.left() + kGlyphLeft, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    painter->drawText(rect.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize ScriptItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics metrics(option.font);
    const QString text = index.data(Qt::DisplayRole).toString();
    return {kTextLeft + metrics.horizontalAdvance(text) + 4, std::max(18, metrics.height() + 2)};
}

QStringList scriptReferences(const fs::path& folder, const std::string& mask)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // Hidden files are not offered, nor anything that is not a plain file.
        if (name.empty() || name[0] == '.' || !it->is_regular_file(ec))
            continue;
        if (matchesFilePattern(name, mask))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    const std::string folderName = folder.filename().string();
    QStringList references;
    for (const std::string& name : names)
        references.push_back(fromBytes(makeFileReference(folderName, name)));
    return references;
}

TScriptEditorPage::TScriptEditorPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelScriptEditor"));
    cbScriptSelector = new QComboBox;
    cbScriptSelector->setObjectName(QStringLiteral("cbScriptSelector"));
    cbScriptSelector->setPlaceholderText(QStringLiteral("Available scripts"));
    cbScriptSelector->setItemDelegate(new ScriptItemDelegate(cbScriptSelector));
    cbScriptSelector->setIconSize(QSize(16, 16));
    cbScriptSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbScriptSelector->setMinimumContentsLength(8);
    ScriptSaveButton = makeButton("ScriptSaveButton", QStringLiteral("Save"));
    ScriptSaveAsButton = makeButton("ScriptSaveAsButton", QStringLiteral("Save As"));

    QFont courier(QStringLiteral("Courier New"), 9);
    courier.setStyleHint(QFont::TypeWriter);
    reScript = new Latin1TextEdit;
    reScript->setObjectName(QStringLiteral("reScript"));
    reScript->setFont(courier);
    reScript->setLineWrapMode(QPlainTextEdit::NoWrap);
    reScript->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reScript->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reScript->installEventFilter(this);
    highlighter_ = new ScriptHighlighter(reScript->document());

    reScriptComment = new QPlainTextEdit;
    reScriptComment->setObjectName(QStringLiteral("reScriptComment"));
    reScriptComment->setFixedHeight(kCommentHeight);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, kGap, 0);
    row->setSpacing(kGap);
    row->addWidget(cbScriptSelector, 1);
    row->addWidget(ScriptSaveButton);
    row->addWidget(ScriptSaveAsButton);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(2);
    page->addLayout(row);
    page->addWidget(reScript, 1);
    page->addWidget(reScriptComment);

    connect(cbScriptSelector, &QComboBox::currentIndexChanged, this, [this] { cbScriptSelectorChange(); });
    connect(ScriptSaveButton, &QPushButton::clicked, this, [this] { ScriptSaveButtonClick(); });
    connect(ScriptSaveAsButton, &QPushButton::clicked, this, [this] { ScriptSaveAsButtonClick(); });
}

void TScriptEditorPage::Fill(TUisFile& document)
{
    // The listing is kept by folder and mask rather than by document, so that "Save As"
    // can list again without holding on to a document that may be closed by then.
    scriptFolder_ = document.Folder();
    scriptMask_ = document.Definition().ReadString("BUTTON,ScriptMouseEnter", "Constraints", "*.vxs");
    listScripts();
}

void TScriptEditorPage::listScripts()
{
    const QSignalBlocker blocker(cbScriptSelector);
    cbScriptSelector->clear();
    const QIcon glyph = glyphIcon(kScriptGlyph);
    for (const QString& reference : scriptReferences(scriptFolder_, scriptMask_))
        cbScriptSelector->addItem(glyph, reference);
    selectRemembered();
}

void TScriptEditorPage::selectRemembered()
{
    int found = -1;
    std::error_code ec;
    // Only an item of the folder the script lives in stands for it: a script saved
    // elsewhere under the same name is not that item.
    if (!scriptName_.isEmpty() && fs::equivalent(scriptPath_.parent_path(), scriptFolder_, ec))
        for (int i = 0; i < cbScriptSelector->count() && found < 0; ++i)
            if (referenceFileName(cbScriptSelector->itemText(i)) == scriptName_)
                found = i;
    const QSignalBlocker blocker(cbScriptSelector);
    cbScriptSelector->setCurrentIndex(found);
}

bool TScriptEditorPage::Modified() const
{
    return reScript->document()->isModified();
}

bool TScriptEditorPage::SaveScript()
{
    if (!Modified())
        return true;
    // Text typed before any script was chosen belongs to no file yet; choosing one
    // would put that file's text in its place.
    const bool unnamed = scriptName_.isEmpty();
    if (unnamed && reScript->toPlainText().isEmpty())
        return true;
    const QString question =
        unnamed ? QStringLiteral("The script text you typed is not saved in any script file. Do you wish Skinwright "
                                 "to save it as a new script?\n\nYes saves it under a new name, No discards it.")
                : scriptName_ + QStringLiteral(" has been modified. Do you wish Skinwright to save it for you?");
    switch (prompts().message(question, QStringLiteral("File change notification"), PromptIcon::Question,
                              PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
        // Without a name "Save" asks for one. A save that failed (or was not given a
        // name) leaves the edits in place, as Cancel does.
        return ScriptSaveButtonClick();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void TScriptEditorPage::cbScriptSelectorChange()
{
    const int index = cbScriptSelector->currentIndex();
    // Taken now: saving as a new script lists the scripts again.
    const QString chosen = index >= 0 ? cbScriptSelector->itemText(index) : QString();
    if (!SaveScript()) {
        selectRemembered();
        return;
    }
    if (index >= 0) {
        load(chosen);
        selectRemembered();
    }
}

bool TScriptEditorPage::load(const QString& reference)
{
    const fs::path root = scriptFolder_.parent_path();
    const auto path = resolveFileReference(root, toBytes(reference));
    if (!path) {
        showError(QStringLiteral("Unable to read ") + fromBytes((root / toBytes(reference)).string()) +
                  QStringLiteral(" (outside the skins folder)"));
        return false;
    }
    std::string bytes;
    try {
        bytes = readFileBytes(*path);
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
        return false;
    }
    // The file's own line ends are kept when it is saved; without any, it gets CRLF.
    const std::size_t lineFeed = bytes.find('\n');
    crlf_ = lineFeed == std::string::npos || (lineFeed > 0 && bytes[lineFeed - 1] == '\r');
    QString text = fromBytes(bytes);
    if (crlf_)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    reScript->setPlainText(text);  // every line is coloured as it comes in
    reScript->moveCursor(QTextCursor::Start);
    reScript->document()->setModified(false);
    loadedBytes_ = std::move(bytes);
    scriptPath_ = *path;
    scriptName_ = fromBytes(path->filename().string());
    return true;
}

bool TScriptEditorPage::writeScript(const fs::path& path)
{
    std::string bytes;
    if (!Modified()) {
        bytes = loadedBytes_;
    } else {
        QString text = reScript->toPlainText();
        // toBytes would turn each of them into "?" without a word.
        if (refuseOutsideLatin1(text))
            return false;
        if (crlf_)
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        bytes = toBytes(text);
    }
    try {
        writeFileAtomically(path, {bytes}, true);
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
        return false;
    }
    loadedBytes_ = std::move(bytes);
    reScript->document()->setModified(false);
    return true;
}

bool TScriptEditorPage::ScriptSaveButtonClick()
{
    // Nothing chosen yet: the text needs a name first.
    if (scriptName_.isEmpty())
        return ScriptSaveAsButtonClick();
    return writeScript(scriptPath_);
}

bool TScriptEditorPage::ScriptSaveAsButtonClick()
{
    const EditorState& state = editorState();
    FileDialogRequest request;
    request.folder = QFile::decodeName(
        (state.SkinFolder.empty() ? scriptFolder_.string() : state.SkinFolder).c_str());
    request.filter = QStringLiteral("Script Files|*.vxs|All files|*.*");
    request.fileName = scriptName_;
    request.defaultSuffix = QStringLiteral("vxs");
    const QString chosen = prompts().saveFile(request);
    if (chosen.isEmpty())
        return false;
    const fs::path path(QFile::encodeName(chosen).toStdString());
    if (!writeScript(path))
        return false;
    scriptPath_ = path;
    scriptName_ = fromBytes(path.filename().string());
    listScripts();
    return true;
}

int TScriptEditorPage::DetermineLineType(const QString& line)
{
    if (line.startsWith(QLatin1Char(';')))
        return LineComment;
    if (std::find(std::begin(kKeyWords), std::end(kKeyWords), line) != std::end(kKeyWords))
        return LineKeyWord;
    if (std::find(std::begin(kValueWords), std::end(kValueWords), line) != std::end(kValueWords))
        return LineValue;
    return LineCode;
}

void TScriptEditorPage::HighlightScript(int line)
{
    const QTextBlock block = reScript->document()->findBlockByNumber(line);
    if (block.isValid())
        highlighter_->rehighlightBlock(block);
}

void TScriptEditorPage::reScriptKeyUp()
{
    HighlightScript(reScript->textCursor().blockNumber());
}

bool TScriptEditorPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == reScript && event->type() == QEvent::KeyRelease)
        reScriptKeyUp();
    return QWidget::eventFilter(watched, event);
}

void TScriptEditorPage::showError(const QString& text)
{
    prompts().message(text, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
}

}  // namespace sw
