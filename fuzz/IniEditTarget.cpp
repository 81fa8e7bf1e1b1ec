// Random write-through edits on a random file. After every edit the bytes on disk, the
// store's record of them and a fresh read of the file must agree with the store's
// memory; an edit made by a fresh editor on the same bytes must give the same file
// (the kept line model matches a new parse); a refused edit changes nothing; a change
// made to the file behind the store's back survives the next edit.
#include "FuzzTargets.h"

#include "store/FileBytes.h"
#include "store/IniFile.h"
#include "store/StringOps.h"

namespace sw::fuzz {

namespace {

const std::vector<std::string> kSections = {
    "A", "a", "B", "Colours", "COLOURS", " A ", "[x]", "", "x=y", ";c", "Sec tion", "b",
};
const std::vector<std::string> kKeys = {
    "k", "K", "key", "Key2", "", " k", "a=b", ";k", "[k", "x]", "Value", "k\t",
};
const std::vector<std::string> kValues = {
    "", "1", "v", " spaced ", "a=b", "x;y", "[z]", "\t", "0x1F", std::string("n\0l", 3), "two\nlines", "k]",
};

enum class Op { Write, Delete, Erase, Reopen, AppendBehind };

struct Edit {
    Op op;
    std::string section, key, value;
};

std::string describe(const Edit& edit)
{
    static const char* names[] = {"write", "delete key", "erase section", "reopen", "change behind"};
    return std::string(names[int(edit.op)]) + " [" + edit.section + "] " + edit.key;
}

}  // namespace

void iniEdit(std::string_view data)
{
    ByteReader reader(data);
    std::vector<Edit> edits(reader.byte() % 12);
    for (Edit& edit : edits) {
        uint8_t op = reader.byte();
        edit.op = Op(op % 5);
        edit.section = reader.pick(kSections);
        edit.key = reader.pick(kKeys);
        edit.value = edit.op == Op::AppendBehind ? reader.text(24) + "\n" : reader.pick(kValues, 20);
    }

    const auto path = scratchFolder() / "edit.ini";
    const auto twinPath = scratchFolder() / "twin.ini";
    writeFile(path, reader.rest());
    // Scratch files: waiting for the disk would only slow the search.
    auto store = std::make_unique<TIniFile>(path.string());
    store->SetDurable(false);
    bool memoryCurrent = true;  // false after a change the store was not told about

    auto check = [&](const std::string& after) {
        require(store->DiskBytes() == readFileBytes(path), "the store's record of the file differs from the disk after " + after);
        if (memoryCurrent) {
            TAcceleratedIniFile fresh(path.string());
            require(fresh.Text() == store->Text(), "a fresh read of the file differs from the store's memory after " + after);
        }
    };
    check("opening");

    for (const Edit& edit : edits) {
        const std::string before = readFileBytes(path);
        const std::string memoryBefore = store->Text();
        if (edit.op == Op::Reopen) {
            store = std::make_unique<TIniFile>(path.string());
            store->SetDurable(false);
            memoryCurrent = true;
            check(describe(edit));
            continue;
        }
        if (edit.op == Op::AppendBehind) {
            writeFile(path, before + edit.value);
            memoryCurrent = false;
            continue;
        }

        writeFile(twinPath, before);
        ProfileFile twin(twinPath);
        twin.setDurable(false);
        twin.load();
        bool refused = false, twinRefused = false;
        try {
            switch (edit.op) {
            case Op::Write: store->WriteString(edit.section, edit.key, edit.value); break;
            case Op::Delete: store->DeleteKey(edit.section, edit.key); break;
            default: store->EraseSection(edit.section); break;
            }
        } catch (const EIniFileException& error) {
            refused = true;
            require(std::string(error.what()).find(path.string()) != std::string::npos,
                    "the message of a refused edit does not name the file");
        }
        try {
            switch (edit.op) {
            case Op::Write: twin.writeString(edit.section, edit.key, edit.value); break;
            case Op::Delete: twin.deleteKey(edit.section, edit.key); break;
            default: twin.eraseSection(edit.section); break;
            }
        } catch (const EIniFileException&) {
            twinRefused = true;
        }
        require(refused == twinRefused, "a fresh editor and the store disagree on refusing " + describe(edit));
        if (refused) {
            require(readFileBytes(path) == before, "a refused edit changed the file: " + describe(edit));
            require(store->Text() == memoryBefore, "a refused edit changed the store's memory: " + describe(edit));
            continue;
        }
        require(readFileBytes(path) == readFileBytes(twinPath),
                "the kept line model and a fresh parse give different files after " + describe(edit));
        if (edit.op == Op::Write)
            require(store->ReadString(edit.section, edit.key, kMissingValue) == trimView(edit.value),
                    "a written value does not read back: " + describe(edit));
        check(describe(edit));
    }
}

}  // namespace sw::fuzz
