#include "engine/EditorState.h"

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

EditorState& editorState()
{
    static EditorState state;
    return state;
}

namespace {

std::string withSeparator(const fs::path& folder)
{
    std::string text = folder.string();
    if (text.empty() || text.back() != fs::path::preferred_separator)
        text += fs::path::preferred_separator;
    return text;
}

}  // namespace

void clearSelection(EditorState& state)
{
    state.DefinitionSection.clear();
    state.CurrentSection.clear();
    state.CurrentButton = -1;
    state.CurrentAttribute.clear();
    state.ValueAtSelection.clear();
}

void setDocumentPaths(EditorState& state, const std::string& documentPath)
{
    fs::path document(documentPath);
    state.DocumentPath = documentPath;
    state.SkinFolder = withSeparator(document.parent_path());
    state.WorkingCopyPath = state.SkinFolder + kWorkingCopyName;
    state.SkinsRoot = withSeparator(document.parent_path().parent_path());
}

}  // namespace sw
