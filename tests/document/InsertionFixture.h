// A small version-2 personality with its own catalogue, for the insertion and button
// palette rules.
#pragma once

#include "document/UisFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <memory>

namespace sw::test {

inline const char* kInsertionCatalogue =
    "[Root,TITLEBARSKIN]\nDescription=Identity\n"
    "[Root,PERSONALITY]\nName=Personality\nDescription=The frame\n"
    "[Root,Font]\nName=Font\nEnumerated=1\nDescription=A font\nIconClosed=70\n"
    "[Root,Gadgets]\nName=Gadgets\nVirtual=1\n"
    "[Root,Button]\nName=Title button\nDescription=A title-bar button\n"
    "[Root,Extra]\nName=Extra section\n"
    "[PERSONALITY,BUTTONCOUNT]\nType=INT\nOptional=0\n"
    "[PERSONALITY,Top]\nType=FILE\nOptional=0\nDefault=top.bmp\n"
    "[Font,FontName]\nName=Face\nType=STRING\nOptional=0\nDefault=Arial\nDescription=The typeface\n"
    "[Font,FontHeight]\nName=Height\nType=INT\nDefault=11\n"
    "[Font,Italics]\nName=Italics\nType=BOOL\n"
    "[Button,Action]\nName=Action\nType=CHOOSE\nConstraints=4\nShiftNumericValue=1\nDefault=1\nOptional=0\n"
    "Value0=Close\nValue1=Minimise\nValue2=Maximise\nValue3=Help\n"
    "[Button,Align]\nName=Alignment\nType=CHOOSE\nConstraints=3\nValue0=Left\nValue1=Right\nValue2=Bottom\n"
    "[Button,ButtonImage]\nName=Picture\nType=FILE\nDefault=b.bmp\n"
    "[Button,XCoord]\nName=X\nType=INT\nOptional=0\nInherits=Button,Align\n";

inline const char* kInsertionSkin =
    "[TITLEBARSKIN]\nSkinAuthor=me\nSkinName=Aqua\n"
    "[PERSONALITY]\nBUTTONCOUNT=3\nTop=t.bmp\n"
    "[Font0]\nFontName=Arial\n"
    "[Font2]\nFontName=Tahoma\n"
    "[Button0]\nAction=1\nAlign=1\nXCoord=5\n"
    "[Button1]\nAction=2\n"
    "[Button2]\nAction=3\nXCoord=20\n";

struct InsertionFixture {
    TempDir dir;
    std::filesystem::path file = dir.path() / "Skins" / "Aqua" / "aqua.uis";
    std::unique_ptr<TUisFile> document;
    explicit InsertionFixture(const std::string& skin = kInsertionSkin)
    {
        writeBytes(dir.path() / "uis2.def", kInsertionCatalogue);
        setProgramFolder(dir.path());
        std::filesystem::create_directories(file.parent_path());
        writeBytes(file, skin);
        document = std::make_unique<TUisFile>(file.string());
    }
    ~InsertionFixture() { setProgramFolder({}); }
    std::string bytes() const { return readBytes(file); }
};

}  // namespace sw::test
