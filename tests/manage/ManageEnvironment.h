// The preferences tests' world: private registry hives, Windows folder, engine and
// program folders, XDG data and config folders, scripted prompts and a recording shell.
#pragma once

#include "EngineEnvironment.h"

#include "engine/Engine.h"
#include "engine/Registry.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"

#include <memory>

namespace sw::test {

// Writes a file, making its folders first.
inline void writeFile(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    writeBytes(file, bytes);
}

class ManageEnvironment : public EngineEnvironment {
protected:
    ManageEnvironment()
    {
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder("xdg-data").string()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder("xdg-config").string()));
        Registry().writeString(kEngineInstallKey, "Path", engineFolder.string());
        shippedFolder = programFolder();
        setProgramFolder(programFolderPath);
    }
    ~ManageEnvironment() override
    {
        setProgramFolder({});
        for (const auto& [name, value] : saved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

    std::unique_ptr<TAcceleratedIniFile> settingsFile()
    {
        return std::make_unique<TAcceleratedIniFile>((temp.path() / "sw.ini").string());
    }

    // The catalogues beside the test program, and a copy of a sample skin in the engine folder.
    std::filesystem::path copyShippedSkin(const std::string& name)
    {
        namespace fs = std::filesystem;
        for (const char* file : {"uis1.def", "uis1p.def", "uis2.def"})
            fs::copy_file(shippedFolder / file, programFolderPath / file, fs::copy_options::overwrite_existing);
        fs::copy(shippedFolder / "skins" / name, engineFolder / name, fs::copy_options::recursive);
        return engineFolder / name / (name + ".uis");
    }

    std::filesystem::path shippedFolder;
    std::filesystem::path engineFolder = folder("engine");
    std::filesystem::path programFolderPath = folder("program");

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved;
};

}  // namespace sw::test
