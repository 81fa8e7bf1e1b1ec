// The main window as the windows below it see it: its settings file and actions, and
// the one open document, which they may close (with its save question), open or mark
// as changed. The main window implements it; the windows never name the main window.
#pragma once

#include <QString>

class QAction;
class QWidget;

namespace sw {

class TAcceleratedIniFile;

class HostWindow {
public:
    // The window itself, as the parent of dialogs and for its place on the screen.
    virtual QWidget* Window() = 0;
    // sw.ini.
    virtual TAcceleratedIniFile& Settings() = 0;
    // The action of the menus and tool bars with this objectName, or null.
    virtual QAction* Action(const QString& objectName) const = 0;
    // Closes the open document, asking about unsaved changes; false when the author
    // cancelled (the document stays open).
    virtual bool FileCloseItemClick() = 0;
    // Opens the personality or picture file as the File menu's "Open" does.
    virtual void OpenDocument(const QString& file) = 0;
    // The open document was changed: `change` names the undo step; changes with the
    // same non-empty mergeKey made one after another are one step.
    virtual void NotifyModification(const QString& change = QString(), const QString& mergeKey = QString()) = 0;

protected:
    ~HostWindow() = default;
};

}  // namespace sw
