// The main window as the editor's own windows (the explorer, its code page, the value
// editor band, the button palette) see it: the host of every window, plus the editor's
// band, history and keys it shares with them.
#pragma once

#include "common/HostWindow.h"

#include <string>

namespace sw {

class DocumentHistory;
class TSizeBarForm;
class TUISExplorerForm;
class TUisFile;
class ValueEditorBand;

class EditorHostWindow : public HostWindow {
public:
    virtual TUISExplorerForm* Explorer() = 0;
    virtual ValueEditorBand* Band() = 0;
    // The size bar of the preview's edges; it lives as long as the main window.
    virtual TSizeBarForm* SizeBar() = 0;
    virtual DocumentHistory& History() = 0;
    virtual bool ShowDescriptions() const = 0;
    virtual void FileSave() = 0;
    virtual void LoadRecentList() = 0;
    virtual void SaveRecentList() = 0;
    virtual void UpdateModified() = 0;
    // Enables undo, redo, cut, copy, paste and the print items for the page shown.
    virtual void UpdateEditItems() = 0;
    // The code page was entered or left.
    virtual void CodePageShown(bool shown) = 0;
    // The value editor band's "Other" page with a note.
    virtual void ShowOtherPage(const QString& note) = 0;
    virtual void EditAttribute(int typeOverride) = 0;
    // Tab on this widget toggles "Hide preview/buttons windows".
    virtual void BindHideAllKey(QWidget* widget) = 0;
    // Makes the main window's keys work in another window.
    virtual void ShareKeys(QWidget* window) = 0;
    // Runs the clock wizard on the document: the section it wrote, or empty when the
    // author cancelled.
    virtual std::string AddClock(TUisFile& document, QWidget* parent) = 0;

protected:
    ~EditorHostWindow() = default;
};

}  // namespace sw
