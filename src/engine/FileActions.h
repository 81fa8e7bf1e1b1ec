// Opening a skin's file for its author: with the desktop's "Open" or "Edit", or with
// the author's own image editor. A missing file or a program that does not start is
// reported through the prompt service, naming it.
#pragma once

#include <QString>

namespace sw {

enum class FileAction { Open = 1, Edit = 2, CustomEditor = 3 };

// customEditor: the program of CustomEditor (used by CustomEditor only; when empty
// the desktop's Edit is used instead). Returns whether something was started.
bool runFileAction(FileAction action, const QString& file, const QString& customEditor);

}  // namespace sw
