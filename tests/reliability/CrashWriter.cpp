// The writer of the crash-safety test: edits a personality's working copy through the
// write-through document and saves it over the personality file, round after round,
// until it is killed. Usage: reliability_writer FOLDER, where FOLDER holds Work.uis
// (the working copy) and Skin.uis (the personality). Round k writes Counter=k, then
// Data=crashPayload(k), then saves the working copy the way the editor does.
#include "CrashWriter.h"

#include "document/UisFile.h"
#include "store/FileBytes.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: reliability_writer FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        sw::TUisFile document((folder / "Work.uis").string());
        int round = document.ReadInteger("TITLEBARSKIN", "Counter", 0);
        for (;;) {
            ++round;
            document.WriteInteger("TITLEBARSKIN", "Counter", round);
            document.WriteString("PAYLOAD", "Data", sw::test::crashPayload(round));
            sw::writeFileAtomically(folder / "Skin.uis", {sw::readFileBytes(folder / "Work.uis")});
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "reliability_writer: %s\n", error.what());
        return 1;
    }
}
