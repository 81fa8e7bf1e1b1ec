// The editor's program-wide state: the one open document's paths and name, the
// explorer's selection and the document flags, shared by every window.
#pragma once

#include <string>

namespace sw {

struct EditorState {
    bool DocumentOpen = false;
    bool DocumentReady = false;
    bool PreviewEnabled = false;
    bool Modified = false;
    bool CodeStale = false;
    bool AnalysisStale = false;
    // The personality's folder or file cannot be written: it is open for viewing, its
    // working copy lives in a private temporary folder, and only Save As writes.
    bool ReadOnly = false;

    std::string DocumentPath;     // the .uis file the user opened
    std::string WorkingCopyPath;  // SkinFolder + "$$sw_temp_ini_file$$.tmp"
    std::string SkinFolder;       // with a trailing separator
    std::string SkinsRoot;        // the folder above SkinFolder, with a trailing separator
    std::string SkinName;

    std::string DefinitionSection;
    std::string CurrentSection;
    int CurrentButton = -1;
    std::string CurrentAttribute;
    std::string ValueAtSelection;

    std::string PluginFolder;
    bool RulersVisible = true;
    bool DescriptiveNames = true;
    int EditMode = 2;
    std::string EngineFolder;
    int VersionStamp = 200;
};

// The one instance.
EditorState& editorState();

// The working copy's name, beside the personality file and in the program folder.
inline constexpr const char* kWorkingCopyName = "$$sw_temp_ini_file$$.tmp";

// Forgets the explorer's selection (section, button, attribute).
void clearSelection(EditorState& state);

// Sets the four paths of EditorState for a document path.
void setDocumentPaths(EditorState& state, const std::string& documentPath);

}  // namespace sw
