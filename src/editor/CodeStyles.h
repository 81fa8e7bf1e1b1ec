// The five text styles of the code page and the script page, read from section
// CodeView of sw.ini at start-up (and again after the preferences dialog).
#pragma once

#include "manage/SkinProperties.h"

#include <QTextCharFormat>

#include <array>

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

// The character format of a line type: colour and the bold, italic and underline flags.
QTextCharFormat codeFormat(CodeLineType type);

}  // namespace sw
