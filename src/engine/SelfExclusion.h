// Keeping the editor out of the engine's skinning: a skinned editor could be made
// unusable by the very skin being edited. The engine reads its exclusions from
// vxdbg.ini when a program starts, so the editor restarts after adding itself.
#pragma once

#include "engine/EngineSettings.h"

#include <QString>
#include <QStringList>

namespace sw {

struct ProgramStart {
    QString program;
    QStringList arguments;
};

// True when vxdbg.ini exists in the engine folder and the program's section (named
// by its file name) does not have IgnoreApp set, unless it says ActiveFix=0: that is
// the user's own choice (the preferences' "Add to Veneerix exclusion list" unticked),
// which the start-up check keeps rather than reverses.
bool selfExclusionNeeded(const EngineSettings& settings, const QString& programPath);

// Writes ActiveFix=1 and then IgnoreApp=1 into the program's section. False when
// the file could not be written.
bool writeSelfExclusion(EngineSettings& settings, const QString& programPath);

// How to start the program again: the same program with its first five arguments
// (arguments without the program itself).
ProgramStart restartCommand(const QString& programPath, const QStringList& arguments);

// The whole step at start-up: when needed, shows the message (caption "Caution", OK),
// writes the exclusion and starts the program again. Returns true when this copy
// must now end (with exit code 255). When the exclusion cannot be written or the new
// copy cannot be started, this copy goes on instead, so the program never restarts
// itself over and over.
bool excludeSelfFromSkinning(EngineSettings& settings, const QString& programPath, const QStringList& arguments,
                             const QString& message);

}  // namespace sw
