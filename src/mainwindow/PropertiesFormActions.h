// Connects the main window's preferences, plug-in manager and skin-shot commands to
// the preferences dialog, and builds the dialog's view of the running editor.
#pragma once

#include "manage/PropertiesForm.h"

namespace sw {

class TMainForm;

// The dialog's context for the main window's current state.
PropertiesContext propertiesContext(TMainForm& main);

// Opens the dialog modally in one of its ways; returns the dialog's result.
int showPropertiesForm(TMainForm& main, TPropertiesForm::Mode mode);

// "&Properties", "Preferences", "Plugin Manager", "Skinshot" and "Create SkinShot".
void connectPropertiesActions(TMainForm& main);

}  // namespace sw
