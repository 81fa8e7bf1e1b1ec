// What the buttons and lists of the preferences dialog's pages do.
#include "manage/PropertiesForm.h"

#include "common/CodeStyles.h"

#include "document/UisFile.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/ExplorerSettings.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "manage/FileAssociation.h"
#include "manage/PropertiesFormWidgets.h"
#include "manage/PropertiesColorGrid.h"
#include "manage/SkinShot.h"
#include "preview/PreviewForm.h"
#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;
using namespace properties;

namespace {

const char* kArchiveFilter = "All archives (*.zip,*.vxa)|*.zip;*.vxa|Zip Archives (*.zip)|*.zip|VXA Archives "
                             "(*.vxa)|*.vxa;*.vxa|All files (*.*)|*.*";

QColor toColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

// --- Author page ---

void TPropertiesForm::ButtonGetSkinNameClick()
{
    if (context_.document)
        authorEdits_[0]->setText(bytesToText(context_.document->ReadString("TITLEBARSKIN", "SkinName", "")));
}

void TPropertiesForm::ButtonDefaultClick(int field)
{
    authorEdits_[field]->setText(bytesToText(readAuthorValue(*context_.settings, authorKeys()[field])));
}

void TPropertiesForm::ButtonRestoreDefaultsClick()
{
    for (int i = 1; i < 5; ++i)
        ButtonDefaultClick(i);
}

void TPropertiesForm::ButtonSetAsDefaultClick()
{
    std::array<std::string, 5> author;
    for (int i = 0; i < 5; ++i)
        author[i] = textToBytes(authorEdits_[i]->text());
    storeAuthor(*context_.settings, author, false);
}

void TPropertiesForm::ButtonApplyToSkinClick()
{
    if (!context_.document)
        return;
    for (int i = 1; i < 5; ++i)
        context_.document->WriteString("TITLEBARSKIN", authorKeys()[i], textToBytes(authorEdits_[i]->text()));
    if (context_.documentChanged)
        context_.documentChanged();
}

void TPropertiesForm::ButtonGetSkinValuesClick()
{
    if (!context_.document)
        return;
    for (int i = 1; i < 5; ++i)
        authorEdits_[i]->setText(bytesToText(context_.document->ReadString("TITLEBARSKIN", authorKeys()[i], "")));
}

// --- Tweak VX page ---

void TPropertiesForm::setExplorerColour(const QColor& colour)
{
    explorerColour_ = colour;
    QPalette palette = LabelExplorerColour->palette();
    palette.setColor(QPalette::WindowText, colour);
    LabelExplorerColour->setPalette(palette);
}

void TPropertiesForm::LabelExplorerColourClick()
{
    const QColor chosen = chooseColour(explorerColour_);
    if (!chosen.isValid())
        return;
    setExplorerColour(chosen);
    changed();
}

bool TPropertiesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* widget = static_cast<QWidget*>(watched);
        if (watched == LabelExplorerColour && widget->isEnabled()) {
            LabelExplorerColourClick();
            return true;
        }
        if (watched == LabelPluginEmail && !LabelPluginEmail->text().isEmpty()) {
            shell().open(QStringLiteral("mailto:") + LabelPluginEmail->text());
            return true;
        }
        if (watched == LabelPluginUrl && !LabelPluginUrl->text().isEmpty()) {
            shell().open(LabelPluginUrl->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Code view page ---

void TPropertiesForm::ListBoxElementsClick(int element)
{
    if (element < 0 || element >= kCodeViewElements)
        return;
    if (element == currentElement_ && !loading_) {
        // Clicking the current element again takes the flags as they are shown.
        StyleClick();
        return;
    }
    currentElement_ = element;
    const CodeViewStyle& style = styles_[element];
    CheckBoxBold->setChecked(style.bold);
    CheckBoxItalic->setChecked(style.italic);
    CheckBoxUnderline->setChecked(style.underline);
    ColorGrid->SetSelectedIndex(style.colourIndex);
    recolourSample();
}

void TPropertiesForm::StyleClick()
{
    CodeViewStyle& style = styles_[currentElement_];
    const CodeViewStyle before = style;
    style.bold = CheckBoxBold->isChecked();
    style.italic = CheckBoxItalic->isChecked();
    style.underline = CheckBoxUnderline->isChecked();
    recolourSample();
    if (style.bold != before.bold || style.italic != before.italic || style.underline != before.underline)
        changed();
}

void TPropertiesForm::ColorGridMouseUp(int cell)
{
    CodeViewStyle& style = styles_[currentElement_];
    style.colourIndex = cell;
    style.colour = TColorGrid::CellColour(cell);
    recolourSample();
    changed();
}

void TPropertiesForm::recolourSample()
{
    const QString text = RichEditTest->toPlainText();
    QTextCursor cursor(RichEditTest->document());
    for (const StyledRun& run : codeViewRuns(text, CheckBoxHighlighting->isChecked())) {
        const CodeViewStyle& style = styles_[run.element];
        QTextCharFormat format;
        format.setForeground(toColor(style.colour));
        // The base run takes the colour alone; the highlighted ones their whole style.
        const bool styled = run.element != ElementAttribute || run.length != text.size();
        format.setFontWeight(styled && style.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(styled && style.italic);
        format.setFontUnderline(styled && style.underline);
        cursor.setPosition(run.start);
        cursor.setPosition(run.start + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

// --- Skinshot page ---

void TPropertiesForm::RadioGroupShotFormatClick()
{
    EditShotFilename->setText(skinShotNameForFormat(EditShotFilename->text(), RadioGroupShotFormat->checkedId()));
    updateEnabling();
}

void TPropertiesForm::ButtonSetSizeClick()
{
    for (TPreviewForm* preview : context_.previews) {
        if (!preview)
            continue;
        const QSize size = skinShotSize(preview->size());
        if (size == preview->size())
            continue;
        preview->resize(size);
        // A hidden window hears of its new size only when shown: compose now.
        preview->ConstructPreview();
    }
}

void TPropertiesForm::ButtonTakeShotClick()
{
    if (!documentWithPreview())
        return;
    TPreviewForm* preview = context_.previews.front();
    const QImage picture = preview->Picture().copy(QRect(QPoint(0, 0), preview->size()));
    const int format = RadioGroupShotFormat->checkedId();
    if (format == ShotClipboard) {
        QApplication::clipboard()->setImage(picture);
        prompts().message(QStringLiteral("Preview have just been copied to clipboard."),
                          QStringLiteral("Preview succesfully Copied"), PromptIcon::Information, PromptButtons::Ok);
        return;
    }
    const QString file = EditShotFilename->text();
    QString error;
    if (!saveSkinShot(picture, file, format, &error)) {
        prompts().message(error, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    prompts().message(QStringLiteral("Preview have just been saved to ") + file + QStringLiteral(" file."),
                      QStringLiteral("Preview succesfully Saved"), PromptIcon::Information, PromptButtons::Ok);
}

// --- Preview page ---

void TPropertiesForm::RadioGroupLogoClick()
{
    updateEnabling();
    const int mode = RadioGroupLogo->checkedId();
    if (!context_.document || !context_.previewSettingsChanged || mode == shownLogoMode_)
        return;
    // The previews read the mode from the settings when they compose.
    context_.settings->WriteInteger("General", "LogoMode", mode);
    shownLogoMode_ = mode;
    context_.previewSettingsChanged();
}

// --- Plugins page ---

void TPropertiesForm::FillPluginList()
{
    plugins_ = listPlugins(context_.programFolder);
    ListViewPlugins->clear();
    for (std::size_t i = 0; i < plugins_.size(); ++i) {
        auto* item = new QTreeWidgetItem(ListViewPlugins, {bytesToText(plugins_[i].name)});
        item->setData(0, Qt::UserRole, int(i));
        item->setToolTip(0, QString::fromLocal8Bit(plugins_[i].file.string()));
    }
    ListViewPluginsSelect();
}

void TPropertiesForm::ListViewPluginsSelect()
{
    const QList<QTreeWidgetItem*> selected = ListViewPlugins->selectedItems();
    const PluginEntry* plugin =
        selected.size() == 1 ? &plugins_[std::size_t(selected.first()->data(0, Qt::UserRole).toInt())] : nullptr;
    LabelPluginAuthor->setText(plugin ? bytesToText(plugin->author) : QString());
    LabelPluginEmail->setText(plugin ? bytesToText(plugin->email) : QString());
    LabelPluginUrl->setText(plugin ? bytesToText(plugin->url) : QString());
    LabelPluginSection->setText(plugin ? bytesToText(plugin->section) : QString());
    ButtonDeletePlugin->setEnabled(plugin && pluginDeletable(*plugin));
}

void TPropertiesForm::ButtonInstallPluginClick()
{
    TCustomIniFile& settings = *context_.settings;
    FileDialogRequest request;
    request.filter = QString::fromLatin1(kArchiveFilter);
    request.defaultSuffix = QStringLiteral("zip");
    request.folder = bytesToText(settings.ReadString("General", "RecentPluginFolder", QDir::currentPath().toStdString()));
    const QString chosen = prompts().openFile(request);
    if (chosen.isEmpty())
        return;
    const fs::path archive(textToBytes(chosen));
    const ArchiveInstaller& installer = pluginArchiveInstaller();
    if (!installer) {
        prompts().message(QStringLiteral("Plug-in archives cannot be unpacked by this build of Skinwright."),
                          QStringLiteral("Install New"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    const fs::path folder = pluginInstallFolder(context_.programFolder, archive);
    if (folder.empty()) {
        prompts().message(QStringLiteral("The name of ") + chosen +
                              QStringLiteral(" cannot be the name of a plug-in folder; rename the archive."),
                          QStringLiteral("Install New"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    std::error_code ec;
    fs::create_directories(folder.parent_path(), ec);
    installer(archive, folder);
    settings.WriteString("General", "RecentPluginFolder", archive.parent_path().string());
    FillPluginList();
}

void TPropertiesForm::ButtonDeletePluginClick()
{
    const QList<QTreeWidgetItem*> selected = ListViewPlugins->selectedItems();
    if (selected.size() != 1)
        return;
    const PluginEntry& plugin = plugins_[std::size_t(selected.first()->data(0, Qt::UserRole).toInt())];
    if (!pluginDeletable(plugin))
        return;
    if (!deletePlugin(plugin, context_.programFolder))
        prompts().message(QStringLiteral("The plug-in \"%1\" could not be deleted completely.")
                              .arg(QString::fromLocal8Bit(plugin.file.string())),
                          QStringLiteral("Delete"), PromptIcon::Warning, PromptButtons::Ok);
    FillPluginList();
}

}  // namespace sw
