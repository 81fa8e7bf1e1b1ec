// The five text styles of the code page and the script page, read from section
// CodeView of sw.ini at start-up (and again after the preferences dialog).
#pragma once

#include "common/SkinProperties.h"

#include <QTextCharFormat>

#include <array>
#include <vector>

namespace sw {

class TCustomIniFile;

// Line types of the script page; the code page uses the first three.
enum CodeLineType { LineComment = 1, LineSection = 2, LineCode = 3, LineValue = 4, LineKeyWord = 5 };

struct CodeStyles {
    bool enabled = true;  // EnableHighLighting
    std::array<CodeViewStyle, kCodeViewElements> styles;  // by line type - 1
};

// The styles in use (the defaults until loadCodeStyles runs).
const CodeStyles& codeStyles();
void loadCodeStyles(TCustomIniFile& settings);

// A stretch of text in one element's style (CodeViewElementIndex).
struct StyledRun {
    int start;
    int length;
    int element;
};
// How the code page colours text: the whole text in the "Attribute" (code) style,
// then, when highlighting, every run from ";" to the line break as "Comment", then
// every run from "[" to the next "]" as "Section" (later runs win where they overlap).
// A ";" without a later line break or a "[" without a later "]" runs to the end.
// `sectionOpen`: the text continues a "[" of earlier text; `stillOpen` receives
// whether a "[" is still waiting for its "]" at the end.
std::vector<StyledRun> codeViewRuns(const QString& text, bool highlighting, bool sectionOpen = false,
                                    bool* stillOpen = nullptr);

// The character format of a line type: colour and the bold, italic and underline flags.
QTextCharFormat codeFormat(CodeLineType type);

}  // namespace sw
