// A main window on a copy of the sample skins, with scripted prompts and a recording
// shell, for the editor's window tests.
#pragma once

#include "engine/EditorState.h"
#include "document/UisFile.h"
#include "editor/UISExplorerForm.h"
#include "mainwindow/MainForm.h"
#include "engine/RecordingShell.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace sw {

// A main window with a personality open, and the document's explorer (null when the
// personality was refused).
struct Opened {
    std::unique_ptr<TMainForm> main;
    TUISExplorerForm* explorer = nullptr;
    TUisFile& document() { return *explorer->Document(); }
};

// A program folder with the shipped catalogues, an engine folder with a copy of the
// sample skins, scripted prompts and a recording shell.
class EditorFixture : public ::testing::Test {
public:
    test::TempDir dir;
    std::filesystem::path program = dir.path() / "program";
    std::filesystem::path engine = dir.path() / "engine";
    ScriptedPrompts prompts;
    ScopedService<PromptService> installedPrompts{prompts};
    RecordingShell recorder;
    ScopedService<Shell> installedShell{recorder};

    void SetUp() override
    {
        std::filesystem::path shipped = programFolder();
        std::filesystem::create_directories(program);
        for (const char* file : {"uis1.def", "uis1p.def", "uis2.def"})
            std::filesystem::copy_file(shipped / file, program / file);
        std::filesystem::copy(shipped / "skins", engine, std::filesystem::copy_options::recursive);
        setProgramFolder(program);
        editorState() = EditorState{};
    }
    void TearDown() override
    {
        setProgramFolder({});
        editorState() = EditorState{};
    }

    std::unique_ptr<TMainForm> makeMain()
    {
        auto main = std::make_unique<TMainForm>(QString::fromStdString((dir.path() / "sw.ini").string()));
        editorState().EngineFolder = engine.string();
        main->show();  // the window's settings are applied when it is shown
        return main;
    }

    // A main window with the personality open (or its refusal shown).
    std::unique_ptr<TMainForm> openPersonality(const std::filesystem::path& skin)
    {
        auto main = makeMain();
        main->OpenFileName = QString::fromStdString(skin.string());
        main->FileOpenRoutine();
        return main;
    }

    Opened openTidewater()
    {
        auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
        TUISExplorerForm* explorer = main->Explorer();
        return {std::move(main), explorer};
    }

    QString text(const std::size_t i) const { return prompts.shown().at(i).text; }
};


}  // namespace sw
