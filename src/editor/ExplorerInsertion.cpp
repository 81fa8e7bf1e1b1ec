// The explorer's insertion commands and its button palette: the dialogs decide what
// to insert, the document functions write it, and each insertion is one undo step.
#include "editor/UISExplorerForm.h"

#include "document/Insertion.h"
#include "document/UisFile.h"
#include "editor/AttribDefForm.h"
#include "editor/AttributeAddForm.h"
#include "editor/AttributeChecklist.h"
#include "engine/EditorState.h"
#include "editor/FrmLayers.h"
#include "editor/DocumentHistory.h"
#include "editor/EditorHostWindow.h"
#include "editor/SectionAddForm.h"
#include "editor/ValueEditorBand.h"
#include "preview/PreviewForm.h"

#include <QAction>

namespace sw {

void TUISExplorerForm::SectionSave()
{
    // Values are written through as they are typed; what is pending is only the step
    // that records them, which must not swallow the insertion that follows.
    if (document_ && main_.Band() && main_.Band()->TakeChange()) {
        main_.NotifyModification(QStringLiteral("Edit Value"));
        ReloadPreviews();
    }
}

bool TUISExplorerForm::SectionAdd()
{
    if (!document_)
        return false;
    SectionSave();
    TSectionAddForm form(*document_, this);
    if (form.exec() != QDialog::Accepted)
        return false;
    const InsertedSection inserted = insertSection(*document_, form.SelectedSection(), form.Attributes().Writes());
    if (inserted.Name.empty())
        return false;
    TreeViewLoad();
    if (inserted.Button) {
        ReloadPreviews();
        if (layers_)
            layers_->AddButton();
    }
    SectionChange(inserted.Name);
    main_.NotifyModification(QStringLiteral("Insert Section"));
    return true;
}

bool TUISExplorerForm::AttributeAdd()
{
    if (!document_)
        return false;
    if (TreeViewSectionExplorer->hasFocus() && popupNode_)
        TreeViewSectionExplorer->setCurrentItem(popupNode_);
    SectionSave();
    const EditorState& state = editorState();
    const std::string section = state.CurrentSection, kind = state.DefinitionSection;
    if (section.empty())
        return false;
    TAttributeAddForm form(*document_, section, kind, this);
    if (form.exec() != QDialog::Accepted)
        return false;
    if (insertAttributes(*document_, section, form.Attributes().Writes()) == 0)
        return false;
    ReloadCurrentSection();
    if (TUisFile::IsButtonSection(section))
        ReloadPreviews();
    main_.NotifyModification(QStringLiteral("Insert Attribute"));
    return true;
}

bool TUISExplorerForm::ButtonAdd()
{
    if (!document_)
        return false;
    SectionSave();
    const std::string section = pendingButtonSection(*document_);
    TAttributeAddForm form(*document_, section, "Button", this);
    // The count is raised only with the button's keys: a cancelled dialog (or one
    // with nothing ticked) leaves the file as it was, and no step to undo.
    const bool added = form.exec() == QDialog::Accepted && commitButton(*document_, form.Attributes().Writes());
    editorState().CodeStale = editorState().AnalysisStale = true;
    if (!added)
        return false;
    TreeViewLoad();
    ReloadPreviews();
    if (layers_)
        layers_->AddButton();
    SectionChange(section);
    main_.NotifyModification(QStringLiteral("Insert Button"));
    return true;
}

bool TUISExplorerForm::ClockAdd()
{
    if (!document_)
        return false;
    SectionSave();
    const std::string section = main_.AddClock(*document_, this);
    if (section.empty())
        return false;
    editorState().CodeStale = editorState().AnalysisStale = true;
    TreeViewLoad();
    ReloadPreviews();
    if (layers_)
        layers_->AddButton();
    SectionChange(section);
    main_.NotifyModification(QStringLiteral("Add Clock"));
    return true;
}

void TUISExplorerForm::DescribeAttribute()
{
    const EditorState& state = editorState();
    if (!document_ || state.CurrentAttribute.empty())
        return;
    auto* form = new TfrmAttribDef(
        attributeDefinition(*document_, state.CurrentSection, state.DefinitionSection, state.CurrentAttribute), this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
}

void TUISExplorerForm::ShowLayers(bool shown, bool activate)
{
    if (!layers_) {
        // No palette without a previewed document: the check mark must not claim one.
        if (QAction* item = main_.Action(QStringLiteral("WindowButtonPaletteShow")); item && item->isChecked())
            item->setChecked(false);
        return;
    }
    if (shown) {
        layers_->show();
        layers_->raise();
        if (activate)
            layers_->activateWindow();
    } else {
        layers_->hide();
    }
}

void TUISExplorerForm::createLayers()
{
    layers_ = new TfrmLayers(*this, main_);
    main_.ShareKeys(layers_);
    for (TPreviewForm* preview : previews_) {
        if (!preview)
            continue;
        connect(preview, &TPreviewForm::ButtonShifted, layers_, &TfrmLayers::ShiftChainedButtons);
        connect(preview, &TPreviewForm::ButtonsPaletteRequested, this, [this](bool show) { ShowLayers(show, true); });
    }
    connect(TreeViewSectionExplorer, &QTreeWidget::currentItemChanged, layers_, [this] {
        if (layers_->isVisible())
            layers_->NotifyModification();
    });
    connect(&main_.History(), &DocumentHistory::Restored, layers_, [this] {
        if (layers_->isVisible())
            layers_->NotifyModification();
    });
    // A personality with buttons shows them; without any, the palette opens only when
    // the user has asked for it with the main window's item.
    const QAction* item = main_.Action(QStringLiteral("WindowButtonPaletteShow"));
    if (document_->ButtonCount() > 0 || (item && item->isChecked()))
        ShowLayers(true);
}

}  // namespace sw
