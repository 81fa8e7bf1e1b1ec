// The explorer's attribute list: its columns, the rows of the current section and
// their values, selection, the context menu, and removing, copying, deleting and
// duplicating attributes, sections and buttons.
#include "editor/UISExplorerForm.h"

#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "document/UisFile.h"
#include "editor/EditorHostWindow.h"
#include "editor/CodeView.h"
#include "editor/ExplorerRows.h"
#include "editor/FrmLayers.h"
#include "engine/EditorState.h"
#include "engine/PromptService.h"
#include "preview/PreviewForm.h"
#include "store/StringOps.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

namespace sw {

void TUISExplorerForm::buildColumns()
{
    TAcceleratedIniFile& settings = main_.Settings();
    const bool descriptions = main_.ShowDescriptions();
    ListViewExplorer->setColumnCount(descriptions ? 3 : 2);
    QStringList headers{QStringLiteral("Attribute"), QStringLiteral("Value")};
    if (descriptions)
        headers << QStringLiteral("Description");
    ListViewExplorer->setHeaderLabels(headers);
    const std::string base = descriptions ? "Descriptions" : "NoDescriptions";
    for (int column = 0; column < ListViewExplorer->columnCount(); ++column) {
        int def = descriptions && column == 2 ? 200 : 100;
        ListViewExplorer->setColumnWidth(column, settings.ReadInteger("ExplorerColumns", base + intToStr(column + 1), def));
    }
}

void TUISExplorerForm::ApplyHotTracking(bool on)
{
    if (on)
        ListViewExplorer->viewport()->setCursor(Qt::PointingHandCursor);
    else
        ListViewExplorer->viewport()->unsetCursor();
    static_cast<HotTrackDelegate*>(ListViewExplorer->itemDelegate())->enabled = on;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ListViewExplorer),
                                    static_cast<QAbstractItemView*>(TreeViewSectionExplorer)})
        view->viewport()->setAttribute(Qt::WA_Hover, on);
}

void TUISExplorerForm::fitColumns()
{
    // Names and values as wide as their longest text, within two fifths of the list
    // each; the description takes the rest. A cell still cut off shows its text as a tip.
    const int limit = std::max(80, ListViewExplorer->viewport()->width() * 2 / 5);
    for (int column = 0; column < std::min(2, ListViewExplorer->columnCount()); ++column) {
        const int wanted = std::max(ListViewExplorer->columnWidth(column), ListViewExplorer->ContentWidth(column));
        ListViewExplorer->setColumnWidth(column, std::min(wanted, limit));
    }
}

void TUISExplorerForm::SaveColumns()
{
    TAcceleratedIniFile& settings = main_.Settings();
    const std::string base = ListViewExplorer->columnCount() == 3 ? "Descriptions" : "NoDescriptions";
    for (int column = 0; column < ListViewExplorer->columnCount(); ++column)
        settings.WriteInteger("ExplorerColumns", base + intToStr(column + 1), ListViewExplorer->columnWidth(column));
}

void TUISExplorerForm::fillRows()
{
    const EditorState& state = editorState();
    const bool descriptions = ListViewExplorer->columnCount() == 3;
    for (const AttributeRow& row : buildAttributeRows(*document_, state.CurrentSection, state.DefinitionSection)) {
        auto* item = new QTreeWidgetItem(ListViewExplorer);
        item->setText(0, fromBytes(row.caption));
        item->setText(1, fromBytes(row.displayValue));
        if (descriptions)
            item->setText(2, fromBytes(row.description));
        for (int column = 0; column < item->columnCount(); ++column)
            item->setToolTip(column, item->text(column));
        item->setData(0, kDescriptionRole, fromBytes(row.description));
        item->setData(0, kRawValueRole, fromBytes(row.rawValue));
        item->setData(0, kKeyRole, fromBytes(row.key));
        item->setIcon(0, glyphIcon(row.image));
        // Rows move between rows, never into one another.
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    }
    fitColumns();
}

void TUISExplorerForm::SectionReload(const std::string& section)
{
    EditorState& state = editorState();
    if (sameText(state.CurrentSection, section)) {
        ReLoadSectionValues();
        return;
    }
    if (CodePageActive() && !applyingCode_)
        CodeRichEdit->ShowSection(fromBytes(section));
    if (ListViewExplorer->topLevelItemCount() > 0)
        SaveColumns();
    ListViewExplorer->clear();
    buildColumns();
    SectionSelection selection = selectionForSection(section, state.SkinName);
    state.DefinitionSection = selection.definitionSection;
    state.CurrentSection = selection.currentSection;
    state.CurrentButton = selection.currentButton;
    // --- preview: the selection frame follows the selected button ---
    TPreviewForm::SetSelectedButton(state.CurrentButton);
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->BevelRealign();
    // --- end preview ---
    state.CurrentAttribute.clear();
    state.ValueAtSelection.clear();
    fillRows();
    ShowStatus(fromBytes(state.DefinitionSection));
    if (QAction* attribute = main_.Action(QStringLiteral("InsertAttributeItem")))
        // The root stands for the whole personality: there is no section to add to.
        attribute->setEnabled(state.DefinitionSection != state.SkinName && !sameText(section, "TITLEBARSKIN"));
    QString description = fromBytes(document_->Definition().ReadString("Root," + state.CurrentSection, "Description", "Unknown"));
    ShowStatus(description);
    main_.ShowOtherPage(description);
}

void TUISExplorerForm::ReloadCurrentSection()
{
    if (!document_)
        return;
    std::string section = editorState().CurrentSection;
    editorState().CurrentSection.clear();
    SectionReload(section);
}

void TUISExplorerForm::ReLoadSectionValues()
{
    const EditorState& state = editorState();
    // Keys added, removed or moved (colours inserted, an undo) need the rows rebuilt.
    TStrings keys;
    document_->ReadSection(state.CurrentSection, keys);
    bool sameKeys = int(keys.size()) == ListViewExplorer->topLevelItemCount();
    for (int i = 0; sameKeys && i < ListViewExplorer->topLevelItemCount(); ++i)
        sameKeys = sameText(keys[std::size_t(i)], toBytes(ListViewExplorer->topLevelItem(i)->data(0, kKeyRole).toString()));
    if (!sameKeys) {
        const std::string attribute = state.CurrentAttribute;
        ReloadCurrentSection();
        if (!attribute.empty())
            AttributeSelect(state.CurrentSection, attribute);
        return;
    }
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        std::string key = toBytes(item->data(0, kKeyRole).toString());
        std::string value = document_->ReadString(state.CurrentSection, key, "");
        if (fromBytes(value) != item->data(0, kRawValueRole).toString()) {
            item->setData(0, kRawValueRole, fromBytes(value));
            item->setText(1, fromBytes(document_->ValueForDisplay(state.CurrentSection, key, value)));
            item->setToolTip(1, item->text(1));
        }
    }
}

void TUISExplorerForm::UpdateRowValue(const std::string& key, const std::string& raw)
{
    const std::string& section = editorState().CurrentSection;
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        if (!sameText(toBytes(item->data(0, kKeyRole).toString()), key))
            continue;
        item->setData(0, kRawValueRole, fromBytes(raw));
        item->setText(1, fromBytes(document_->ValueForDisplay(section, key, raw)));
        item->setToolTip(1, item->text(1));
        item->setIcon(0, glyphIcon(document_->EditorKind(section, key)));
    }
}

void TUISExplorerForm::RefreshFromDocument()
{
    EditorState& state = editorState();
    const std::string section = state.CurrentSection, attribute = state.CurrentAttribute;
    state.SkinName = document_->PersonalityName();
    TreeViewLoad();
    clearSelection(state);
    if (findNode(section))
        SectionChange(section);
    else
        SelectRoot();
    if (!attribute.empty())
        AttributeSelect(state.CurrentSection, attribute);
    ReloadPreviews();
    CodeFollowDocument();
}

void TUISExplorerForm::RenameRoot(const std::string& name)
{
    EditorState& state = editorState();
    if (state.DefinitionSection == state.SkinName)
        state.DefinitionSection = name;
    if (QTreeWidgetItem* root = TreeViewSectionExplorer->topLevelItem(0)) {
        root->setText(0, fromBytes(name));
        root->setData(0, kSectionRole, fromBytes(name));
    }
    state.SkinName = name;
}

void TUISExplorerForm::AttributeSelect(const std::string& section, const std::string& key)
{
    SectionChange(section);
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        if (sameText(toBytes(item->data(0, kKeyRole).toString()), key)) {
            ListViewExplorer->setCurrentItem(item);
            ListViewExplorer->scrollToItem(item);
            return;
        }
    }
}

void TUISExplorerForm::ListViewExplorerSelectItem(QTreeWidgetItem* item, bool selected)
{
    EditorState& state = editorState();
    QAction* describe = main_.Action(QStringLiteral("ViewAttributeDescriptionItem"));
    if (item && selected) {
        state.CurrentAttribute = toBytes(item->data(0, kKeyRole).toString());
        state.ValueAtSelection = toBytes(item->data(0, kRawValueRole).toString());
        ShowStatus(item->data(0, kDescriptionRole).toString());
        if (describe)
            describe->setEnabled(true);
        int type = editAsOverride_;
        editAsOverride_ = -1;
        main_.EditAttribute(type);
    } else {
        QString description = fromBytes(document_->Definition().ReadString("Root," + state.CurrentSection, "Description", "Unknown"));
        ShowStatus(description);
        if (describe)
            describe->setEnabled(false);
    }
}

void TUISExplorerForm::PopupMenuAttributeListPopup(const QPoint& at, QWidget* from)
{
    const EditorState& state = editorState();
    auto find = [this](const char* name) { return PopupMenuAttributeList->findChild<QAction*>(QString::fromLatin1(name)); };
    for (QAction* action : PopupMenuAttributeList->actions()) {
        action->setVisible(false);
        action->setEnabled(true);
    }
    QFont normal = PopupMenuAttributeList->font(), bold = normal;
    bold.setBold(true);
    for (QAction* action : PopupMenuAttributeList->actions())
        action->setFont(normal);
    find("PopupDuplicateButton")->setVisible(state.CurrentButton != -1);

    if (from == ListViewExplorer) {
        QList<QTreeWidgetItem*> rows = ListViewExplorer->selectedItems();
        find("PopupAddAttribute")->setVisible(true);
        if (rows.size() == 1) {
            QTreeWidgetItem* row = rows.first();
            std::string key = toBytes(row->data(0, kKeyRole).toString());
            for (const char* name : {"PopupRemoveAttribute", "PopupDescribeAttribute", "PopupSeparatorEdit"})
                find(name)->setVisible(true);
            ShowStatus(QStringLiteral("Selected Attribute - ") + row->text(0) + QStringLiteral(" in section [") +
                       fromBytes(state.DefinitionSection) + QStringLiteral("]."));
            find("PopupRemoveAttribute")->setEnabled(
                document_->Definition().ReadInteger(state.DefinitionSection + "," + key, "Optional", 1) == 1);
            // Edit-as items by the attribute's type; the first named is the default item.
            static const std::map<int, std::vector<const char*>> editAs = {
                {0, {"EditAsString", "EditAsInteger", "EditAsFile", "EditAsFullColor", "EditAsBoolean"}},
                {1, {"EditAsString", "EditAsFile"}},
                {2, {"EditAsInteger", "EditAsString"}},
                {3, {"EditAsChoice", "EditAsString", "EditAsInteger"}},
                {4, {"EditAsBoolean", "EditAsString", "EditAsInteger"}},
                {5, {"EditAsFile", "EditAsString"}},
                {6, {"EditAsColor", "EditAsString", "EditAsInteger"}},
                {7, {"EditAsFullColor", "EditAsString"}},
            };
            auto items = editAs.find(document_->AttributeTypeOf(state.CurrentSection, key));
            if (items != editAs.end())
                for (std::size_t i = 0; i < items->second.size(); ++i) {
                    find(items->second[i])->setVisible(true);
                    if (i == 0)
                        find(items->second[i])->setFont(bold);
                }
        }
    } else {
        QTreeWidgetItem* node = TreeViewSectionExplorer->currentItem();
        if (node) {
            popupNode_ = node;
            for (const char* name : {"PopupAddSection", "PopupOpenSection", "PopupSeparatorSection", "PopupRemoveSection"})
                find(name)->setVisible(true);
            find("PopupOpenSection")->setFont(bold);
            ShowStatus(QStringLiteral("Selected Section - [") + node->text(0) + QStringLiteral("]"));
            std::string caption = toBytes(node->text(0));
            std::string upper = asciiUpper(caption);
            std::string definition = upper.find("BUTTON") != std::string::npos && upper.rfind("BUTTONS", 0) != 0 ? "Button"
                                     : caption == state.SkinName ? "TITLEBARSKIN"
                                                                 : caption;
            find("PopupRemoveSection")->setEnabled(
                document_->Definition().ReadInteger("Root," + definition, "Optional", 1) == 1);
        }
        find("PopupAddAttribute")->setVisible(true);
    }
    PopupMenuAttributeList->popup(at);
}

void TUISExplorerForm::EditAs(int type)
{
    editAsOverride_ = type;
    ListViewExplorerSelectItem(ListViewExplorer->currentItem(), ListViewExplorer->currentItem() != nullptr);
}

void TUISExplorerForm::AttributeRemove()
{
    QTreeWidgetItem* row = ListViewExplorer->currentItem();
    if (!row)
        return;
    if (prompts().message(QStringLiteral("Do you really want to remove '") + row->text(0) + QStringLiteral("' Attribute?"),
                          QStringLiteral("Caution!"), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    std::string section = editorState().CurrentSection;
    document_->DeleteKey(section, toBytes(row->data(0, kKeyRole).toString()));
    ReloadCurrentSection();
    main_.NotifyModification(QStringLiteral("Remove Attribute"));
}

void TUISExplorerForm::SectionRemove(const std::string& section)
{
    if (prompts().message(QStringLiteral("Do you really want to remove [") + fromBytes(section) + QStringLiteral("] section?"),
                          QStringLiteral("Caution!"), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    if (TUisFile::IsButtonSection(section))
        ButtonDelete(section);
    else
        document_->EraseSection(section);
    TreeViewLoad();
    SelectRoot();
    main_.NotifyModification(QStringLiteral("Remove Section"));
}

void TUISExplorerForm::copySection(const std::string& from, const std::string& to)
{
    TStrings entries;
    document_->ReadSectionValues(from, entries);
    for (const std::string& entry : entries) {
        std::size_t eq = entry.find('=');
        document_->WriteString(to, entry.substr(0, eq), entry.substr(eq + 1));
    }
}

void TUISExplorerForm::ButtonDelete(const std::string& section)
{
    int number = strToIntDef(std::string_view(section).substr(std::min<std::size_t>(6, section.size())), -1);
    // The count lives where the document's format keeps it (PERSONALITY or CAPTION).
    int count = document_->ButtonCount();
    if (number < 0)
        return;
    if (number >= count) {
        // A section the count leaves out is no button of the skin: taking the count
        // down would drop the last real button and keep this one.
        document_->EraseSection(section);
        const QString why = QStringLiteral("[") + fromBytes(section) +
                            QStringLiteral("] was removed as a plain section: it is not one of the ") +
                            QString::number(std::max(count, 0)) +
                            QStringLiteral(" counted buttons, so none was renumbered.");
        TreeViewLoad();
        ReloadPreviews();
        // Shown once the tree has settled on its new selection, whose description
        // would otherwise replace it at once.
        QTimer::singleShot(0, this, [this, why] { ShowStatus(why); });
        return;
    }
    for (int k = number; k <= count - 2; ++k) {
        document_->EraseSection("Button" + intToStr(k));
        copySection("Button" + intToStr(k + 1), "Button" + intToStr(k));
    }
    document_->EraseSection("Button" + intToStr(count - 1));
    document_->SetButtonCount(count - 1);
    document_->UpdateFile();
    if (layers_)
        layers_->DeleteButton(number);
    TreeViewLoad();
    ReloadPreviews();
    editorState().CodeStale = editorState().AnalysisStale = true;
}

void TUISExplorerForm::ButtonDuplicate(const std::string& section)
{
    if (!TUisFile::IsButtonSection(section))
        return;
    int number = strToIntDef(std::string_view(section).substr(6), -1);
    int count = document_->ButtonCount();
    if (number < 0 || count < 0)
        return;
    std::string target = "Button" + intToStr(count);
    copySection(section, target);
    document_->SetButtonCount(count + 1);
    document_->UpdateFile();
    if (layers_)
        layers_->AddButton();
    TreeViewLoad();
    ReloadPreviews();
    SectionChange(target);
    main_.NotifyModification(QStringLiteral("Duplicate Button"));
}

void TUISExplorerForm::ListViewExplorerReordered()
{
    const std::string section = editorState().CurrentSection;
    TStrings keys;
    document_->ReadSection(section, keys);
    for (const std::string& key : keys)
        document_->DeleteKey(section, key);
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        document_->WriteString(section, toBytes(item->data(0, kKeyRole).toString()), toBytes(item->data(0, kRawValueRole).toString()));
    }
    editorState().CodeStale = true;
    main_.NotifyModification(QStringLiteral("Reorder Attributes"));
}

}  // namespace sw
