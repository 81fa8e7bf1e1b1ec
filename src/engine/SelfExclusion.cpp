#include "engine/SelfExclusion.h"

#include "engine/PromptService.h"
#include "engine/Shell.h"

#include <QFileInfo>

namespace sw {

namespace {

std::string sectionOf(const QString& programPath)
{
    return QFileInfo(programPath).fileName().toLocal8Bit().toStdString();
}

}  // namespace

bool selfExclusionNeeded(const EngineSettings& settings, const QString& programPath)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(settings.programFile(), ec))
        return false;
    const std::string section = sectionOf(programPath);
    return !settings.programSwitch(section, "IgnoreApp", false) && settings.programSwitch(section, "ActiveFix", true);
}

bool writeSelfExclusion(EngineSettings& settings, const QString& programPath)
{
    std::string section = sectionOf(programPath);
    return settings.setProgramSwitch(section, "ActiveFix", true) &&
           settings.setProgramSwitch(section, "IgnoreApp", true);
}

ProgramStart restartCommand(const QString& programPath, const QStringList& arguments)
{
    return {programPath, arguments.mid(0, 5)};
}

bool excludeSelfFromSkinning(EngineSettings& settings, const QString& programPath, const QStringList& arguments,
                             const QString& message)
{
    if (!selfExclusionNeeded(settings, programPath))
        return false;
    prompts().message(message, QStringLiteral("Caution"), PromptIcon::None, PromptButtons::Ok);
    // Checked again after writing: a restart that would find the same answer would
    // restart for ever.
    if (!writeSelfExclusion(settings, programPath) || selfExclusionNeeded(settings, programPath))
        return false;
    ProgramStart restart = restartCommand(programPath, arguments);
    return shell().start(restart.program, restart.arguments);
}

}  // namespace sw
