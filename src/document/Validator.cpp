#include "document/Validator.h"

#include "document/FileReference.h"
#include "document/PersonalityText.h"
#include "document/UisFile.h"
#include "store/FileBytes.h"
#include "store/StringOps.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <unordered_set>


namespace sw {

namespace fs = std::filesystem;

namespace {

// A personality value read as an integer with 0 as default, as ReadInteger reads it.
int32_t integerValue(std::string_view value)
{
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X'))
        return strToIntDef("$" + std::string(value.substr(2)), 0);
    return strToIntDef(value, 0);
}

// The skins root as the messages show it: without a trailing separator.
std::string rootText(const fs::path& root)
{
    std::string text = root.string();
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\'))
        text.pop_back();
    return text;
}

bool isButtonFamily(const std::string& upperSection)
{
    return upperSection.rfind("BUTTON", 0) == 0 && upperSection.find("BUTTONS") == std::string::npos;
}

// The number of a section named BUTTON followed by a number in plain decimal.
std::optional<int> buttonNumber(const std::string& upperSection)
{
    std::string_view digits = std::string_view(upperSection).substr(std::min<std::size_t>(6, upperSection.size()));
    if (upperSection.rfind("BUTTON", 0) != 0 || digits.empty() || digits.size() > 9 ||
        (digits[0] == '0' && digits.size() > 1))
        return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// The mandatory attributes of the catalogue (definitions "Section,Attribute" whose
// Optional is "0"): the upper-cased section part -> the attributes, in catalogue order.
std::unordered_map<std::string, TStrings> mandatoryAttributes(TUisDefinition& catalogue)
{
    std::unordered_map<std::string, TStrings> result;
    TStrings names;
    catalogue.ReadSections(names);
    for (const std::string& name : names) {
        std::size_t comma = name.find(',');
        if (comma == std::string::npos)
            continue;
        if (catalogue.ReadString(name, "Optional", "1") != "0")
            continue;
        result[asciiUpper(std::string_view(name).substr(0, comma))].push_back(name.substr(comma + 1));
    }
    return result;
}

// The first section of each name, in the order of the file, and its entries: a
// repeated section reads as its first occurrence, so checking it again would only
// repeat the same rows.
class FirstSections {
public:
    using EntryVisit = std::function<bool(std::string_view key, std::string_view value)>;
    virtual ~FirstSections() = default;
    virtual std::size_t count() const = 0;
    virtual std::string_view name(std::size_t position) const = 0;
    // Calls visit for each entry in order until it returns false.
    virtual void entries(std::size_t position, const EntryVisit& visit) const = 0;
};

// The sections of an open document's store.
class StoreSections : public FirstSections {
public:
    explicit StoreSections(TUisFile& document) : document_(document)
    {
        std::unordered_set<std::string> seen;
        for (std::size_t position = 0; position < document.SectionCount(); ++position)
            if (seen.insert(asciiUpper(document.SectionName(position))).second)
                first_.push_back(position);
    }
    std::size_t count() const override { return first_.size(); }
    std::string_view name(std::size_t position) const override { return document_.SectionName(first_[position]); }
    void entries(std::size_t position, const EntryVisit& visit) const override
    {
        const auto* entries = document_.SectionEntries(name(position));
        if (!entries)
            return;
        for (const TAcceleratedIniFile::Entry& entry : *entries)
            if (!visit(entry.name, entry.value))
                return;
    }

private:
    TUisFile& document_;
    std::vector<std::size_t> first_;
};

// The sections of a read-only text, which lists first occurrences itself.
class TextSections : public FirstSections {
public:
    explicit TextSections(const PersonalityText& text) : text_(text) {}
    std::size_t count() const override { return text_.SectionCount(); }
    std::string_view name(std::size_t position) const override { return text_.SectionName(position); }
    void entries(std::size_t position, const EntryVisit& visit) const override { text_.ForEachEntry(position, visit); }

private:
    const PersonalityText& text_;
};

// Hashes names as they are spelt, so that tables keyed by strings are asked with views.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

// One string of the parts, made with one allocation: a value may be megabytes long.
std::string joined(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

// Caches of a run are emptied when they reach this many entries: a file of millions of
// distinct names must not make them grow with it, and real skins stay far below. The
// definitions are few in any catalogue; files may be many in a big folder.
constexpr std::size_t kMaxCachedDefinitions = 4096;
constexpr std::size_t kMaxCachedFiles = 65536;

class Checker {
public:
    Checker(TCustomIniFile& values, const FirstSections& sections, TUisDefinition& catalogue, int version,
            const fs::path& skinsRoot, ValidationResult& result)
        : values_(values), sections_(sections), catalogue_(catalogue), version_(version), root_(skinsRoot),
          rootText_(rootText(skinsRoot)), result_(result)
    {
    }

    void checkCatalogue();
    void checkBitmapGeometry();

private:
    // Whether a finding of this icon is still listed; past the limit it is only
    // counted, and its caption need not be built at all.
    bool listing(int icon)
    {
        if (++listed_[icon] > kMaxFindingsListed) {
            ++result_.omitted;
            return false;
        }
        return true;
    }
    void keep(std::string caption, int icon, std::string_view section, std::string_view attribute,
              FindingKind kind = FindingKind::Catalogue)
    {
        result_.findings.push_back({std::move(caption), icon, std::string(section), std::string(attribute), kind});
    }
    void add(std::string caption, int icon, std::string_view section, std::string_view attribute,
             FindingKind kind = FindingKind::Catalogue)
    {
        if (listing(icon))
            keep(std::move(caption), icon, section, attribute, kind);
    }
    // The path of the regular file a reference names under the root, or nothing.
    std::optional<fs::path> referencedFile(std::string_view reference);
    bool referencedFileExists(std::string_view reference) { return referencedFile(reference).has_value(); }
    void checkAttribute(std::string_view section, const std::string& lookup, std::string_view key,
                        std::string_view value);

    // What the catalogue says of one attribute, asked once per run: every button
    // section shares the button definitions. Limits are asked when first needed.
    struct Definition {
        int type = TypeUnknown;
        std::optional<int> kind, minimum, maximum, shift, choices;
    };
    Definition& definition(const std::string& lookup, std::string_view key);

    // Bitmap geometry.
    struct Bitmap {
        std::string section, attribute, reference;
        BitmapSize size;
        std::string path;
        std::string where() const
        {
            return "bitmap [" + reference + "] of Attribute [" + attribute + "] in Section [" + section + "]";
        }
    };
    std::optional<Bitmap> bitmap(const std::string& section, const std::string& attribute, const char* fallback = "");
    // What decoding a file would give, read from its headers once per run.
    struct Probe {
        std::optional<BitmapFormat> format;
        std::string why;
    };
    const Probe& probe(const std::string& reference, const fs::path& path);
    void checkPreviewBudget();
    void addGeometry(const Bitmap& bitmap, const std::string& text)
    {
        add(text, IconBitmapGeometry, bitmap.section, bitmap.attribute, FindingKind::BitmapGeometry);
    }
    bool positiveFrameCount(const Bitmap& bitmap, int frames, const std::string& declaration);
    void checkFrames(const Bitmap& bitmap, bool across, int frames, const std::string& declaration);
    void checkEnds(const Bitmap& bitmap, bool across, const std::string& edge, const std::string& secondWord);
    void checkVersion2Edges();
    void checkVersion1pEdges();
    void checkButtonStrips();

    TCustomIniFile& values_;
    const FirstSections& sections_;
    TUisDefinition& catalogue_;
    const int version_;
    const fs::path& root_;
    std::string rootText_;
    ValidationResult& result_;
    // Many attributes name the same few files; each is looked up on disk once per run.
    std::unordered_map<std::string, std::optional<fs::path>, TextHash, std::equal_to<>> files_;
    std::unordered_map<std::string, Probe> probes_;
    std::unordered_set<std::string> unreadable_;
    // By section part, then by attribute as the file spells it: the entries of one
    // section are looked up without building a name for each.
    using SectionDefinitions = std::unordered_map<std::string, Definition, TextHash, std::equal_to<>>;
    std::unordered_map<std::string, SectionDefinitions> definitions_;
    std::size_t definitionCount_ = 0;
    std::string currentLookup_;
    SectionDefinitions* current_ = nullptr;
    // Each folder a reference passes through is listed once per run.
    FolderIndex folders_;
    // The folders as listed once for the run: a reference that no listing holds is
    // known to be missing, and one through plain folders is found, without asking
    // the disk again.
    struct Entry {
        std::string name;  // as on disk: the first of the names equal but for case
        bool folder = false;       // a folder, not a link to one
        bool regularFile = false;  // a regular file, not a link to one
        bool ambiguous = false;    // other names differ from it in letter case only
    };
    struct Listing {
        bool readable = false;
        std::unordered_map<std::string, Entry> names;  // by upper-cased name
    };
    std::unordered_map<std::string, Listing> listings_;
    const Listing& listing(const fs::path& folder);
    enum class Known { Missing, File, Unknown };
    Known fromListings(std::string_view reference, fs::path& path);
    // How many findings of each icon were met.
    std::unordered_map<int, std::size_t> listed_;
};

const Checker::Listing& Checker::listing(const fs::path& folder)
{
    auto [found, added] = listings_.try_emplace(folder.string());
    if (!added)
        return found->second;
    Listing& listing = found->second;
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec)
        return listing;
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        const bool link = entry.is_symlink(ec);
        Entry fresh{name, !link && entry.is_directory(ec), !link && entry.is_regular_file(ec), false};
        auto [at, first] = listing.names.try_emplace(asciiUpper(name), std::move(fresh));
        if (!first)
            at->second.ambiguous = true;
    }
    listing.readable = true;
    return listing;
}

// What the listings alone tell of a reference: that it names nothing (some component
// is in no letter case an entry of the plain folder before it), or the regular file it
// names through plain folders, as the full resolution would find it. Anything less
// plain (a link, an odd component, names equal but for case, a folder that cannot be
// listed) is left to the full resolution.
Checker::Known Checker::fromListings(std::string_view reference, fs::path& path)
{
    if (reference.empty() || reference.front() == '\\' || reference.front() == '/')
        return Known::Unknown;
    path = root_;
    std::size_t start = 0;
    while (start <= reference.size()) {
        std::size_t end = reference.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = reference.size();
        std::string_view component = reference.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        // The resolution refuses these (a NUL would end the name early for the system).
        if (component == "." || component == ".." ||
            component.find_first_of(std::string_view(":\0", 2)) != std::string_view::npos)
            return Known::Unknown;
        const Listing& names = listing(path);
        if (!names.readable)
            return Known::Unknown;
        auto found = names.names.find(asciiUpper(component));
        if (found == names.names.end())
            return Known::Missing;
        const Entry& entry = found->second;
        if (entry.ambiguous)
            return Known::Unknown;
        path /= entry.name;
        // The last component, unless only separators follow it.
        if (reference.find_first_not_of("\\/", end) == std::string_view::npos)
            return entry.regularFile && end == reference.size() ? Known::File : Known::Unknown;
        if (!entry.folder)
            return Known::Unknown;
    }
    return Known::Unknown;
}

std::optional<fs::path> Checker::referencedFile(std::string_view reference)
{
    auto known = files_.find(reference);
    if (known != files_.end())
        return known->second;
    // A name that is nowhere is not kept: a file of millions of them would only fill
    // the cache.
    fs::path listed;
    const Known told = fromListings(reference, listed);
    if (told == Known::Missing)
        return std::nullopt;
    std::optional<fs::path> path;
    if (told == Known::File) {
        path = std::move(listed);
    } else {
        // A reference that would leave the skins root counts as missing: it is never followed.
        std::error_code ec;
        path = resolveFileReference(root_, reference, folders_);
        if (path && !fs::is_regular_file(*path, ec))
            path.reset();
    }
    if (files_.size() >= kMaxCachedFiles)
        files_.clear();
    files_.emplace(reference, path);
    return path;
}

Checker::Definition& Checker::definition(const std::string& lookup, std::string_view key)
{
    auto forget = [&] {
        definitions_.clear();
        definitionCount_ = 0;
        current_ = nullptr;
    };
    if (!current_ || lookup != currentLookup_) {
        if (definitions_.size() >= kMaxCachedDefinitions)
            forget();
        current_ = &definitions_[lookup];
        currentLookup_ = lookup;
    }
    auto found = current_->find(key);
    if (found != current_->end())
        return found->second;
    if (definitionCount_ >= kMaxCachedDefinitions) {
        forget();
        current_ = &definitions_[lookup];
    }
    Definition fresh;
    fresh.type = catalogue_.AttributeType(lookup, key);
    ++definitionCount_;
    return current_->emplace(std::string(key), fresh).first->second;
}

void Checker::checkAttribute(std::string_view section, const std::string& lookup, std::string_view key,
                             std::string_view value)
{
    // Built only for a finding that is listed: most attributes pass, and past the limit
    // a finding is only counted.
    auto quoted = [&](std::string_view before, std::string_view after = {}) {
        return joined({before, "  [", key, "] in Section [", section, "] value [", value, "]", after});
    };
    Definition& d = definition(lookup, key);
    switch (d.type) {
    case TypeFile:
        if (!d.kind)
            d.kind = catalogue_.FileEditorKind(lookup, key);
        if (*d.kind == 5 && !referencedFileExists(value) && listing(IconFileNotFound))
            keep(joined({"File not found - Section [", section, "], Attribute [", key, "], referenced file[", rootText_,
                         "\\", value, "]"}),
                 IconFileNotFound, section, key);
        break;
    case TypeInt: {
        int32_t number = integerValue(value);
        // The maximum is asked only when the minimum holds, so a malformed upper limit
        // stops the run only where it is needed.
        if (!d.minimum)
            d.minimum = catalogue_.Minimum(lookup, key);
        if (number < *d.minimum) {
            if (listing(IconBelowMinimum))
                keep(quoted("Minimal value constraint violation -  Attribute"), IconBelowMinimum, section, key);
            break;
        }
        if (!d.maximum)
            d.maximum = catalogue_.Maximum(lookup, key);
        if (number > *d.maximum && listing(IconAboveMaximum))
            keep(quoted("Maximal value constraint violation -  Attribute"), IconAboveMaximum, section, key);
        break;
    }
    case TypeChoose: {
        if (!d.shift) {
            d.shift = catalogue_.Shift(lookup, key);
            d.choices = catalogue_.ReadInteger(lookup + "," + std::string(key), "Constraints", 0);
        }
        int64_t number = integerValue(value);
        int64_t first = *d.shift, last = first + *d.choices - 1;
        if ((number < first || number > last) && listing(IconValueNotAllowed))
            keep(quoted("Attribute",
                        " does not contains in set of available values[" + intToStr(first) + "-" + intToStr(last) + "]"),
                 IconValueNotAllowed, section, key);
        break;
    }
    case TypeUnknown:
        if (listing(IconValueNotAllowed))
            keep(quoted("Illegal or unknown attribute"), IconValueNotAllowed, section, key);
        break;
    default:
        break;
    }
}

void Checker::checkCatalogue()
{
    auto mandatory = mandatoryAttributes(catalogue_);
    for (std::size_t position = 0; position < sections_.count(); ++position) {
        const std::string section(sections_.name(position));
        std::string upper = asciiUpper(section);
        // Numbered button sections are described by the button definitions.
        const std::string lookup = isButtonFamily(upper) ? std::string("Button") : upper;
        std::string_view failedKey;
        try {
            sections_.entries(position, [&](std::string_view key, std::string_view value) {
                failedKey = key;
                checkAttribute(section, lookup, key, value);
                return true;
            });
        } catch (const EConvertError& error) {
            result_.completed = false;
            result_.error = error.what();
            result_.errorSection = section;
            result_.errorAttribute = failedKey;
            return;
        }
        // Only a section named exactly as a definition's section part has its mandatory
        // attributes checked, so numbered sections never are.
        auto required = mandatory.find(lookup);
        if (required == mandatory.end())
            continue;
        for (const std::string& attribute : required->second)
            if (!values_.ValueExists(lookup, attribute))
                add("Manditory attribute [" + attribute + "] not found in section [" + lookup + "].",
                    IconValueNotAllowed, lookup, "");
    }
}

const Checker::Probe& Checker::probe(const std::string& reference, const fs::path& path)
{
    auto measured = probes_.find(reference);
    if (measured == probes_.end()) {
        if (probes_.size() >= kMaxCachedFiles)
            probes_.clear();
        Probe probe;
        probe.format = readBitmapFormat(path, probe.why);
        measured = probes_.emplace(reference, std::move(probe)).first;
    }
    return measured->second;
}

std::optional<Checker::Bitmap> Checker::bitmap(const std::string& section, const std::string& attribute,
                                               const char* fallback)
{
    std::string reference = values_.ReadString(section, attribute, fallback);
    std::optional<fs::path> path = reference.empty() ? std::nullopt : referencedFile(reference);
    if (!path)
        return std::nullopt;  // nothing to measure; a missing bitmap is reported by the catalogue checks
    Bitmap found{section, attribute, reference, {}, path->string()};
    const Probe& measured = probe(reference, *path);
    if (!measured.format) {
        // Once per bitmap and attribute, however many checks look at it.
        if (unreadable_.insert(section + '\n' + attribute).second)
            addGeometry(found, "Unreadable " + found.where() + ": " + measured.why + ".");
        return std::nullopt;
    }
    found.size = measured.format->size;
    return found;
}

bool Checker::positiveFrameCount(const Bitmap& bitmap, int frames, const std::string& declaration)
{
    if (frames > 0)
        return true;
    addGeometry(bitmap, "Frame count of " + bitmap.where() + " is not a positive number (" + declaration + ").");
    return false;
}

// Frames lie side by side (across) or one under another.
void Checker::checkFrames(const Bitmap& bitmap, bool across, int frames, const std::string& declaration)
{
    if (!positiveFrameCount(bitmap, frames, declaration))
        return;
    int extent = across ? bitmap.size.width : bitmap.size.height;
    if (extent % frames != 0)
        addGeometry(bitmap, "Frame size mismatch - " + bitmap.where() + " is " + intToStr(extent) + " pixels " +
                                (across ? "wide" : "high") + ", which does not divide into " + intToStr(frames) +
                                " frames (" + declaration + ").");
}

// The fixed ends of an edge lie at its two ends: left and right on the top and bottom
// edges (across), top and bottom on the side edges.
void Checker::checkEnds(const Bitmap& bitmap, bool across, const std::string& edge, const std::string& secondWord)
{
    int first = uisEdgeHeight(values_, version_, edge, "Top");
    int second = uisEdgeHeight(values_, version_, edge, "Bot");
    int64_t sum = int64_t(first) + second;
    int extent = across ? bitmap.size.width : bitmap.size.height;
    if (sum > extent)
        addGeometry(bitmap, "End size mismatch - " + edge + "TopHeight=" + intToStr(first) + " and " + edge +
                                secondWord + "Height=" + intToStr(second) + " of " + bitmap.where() +
                                " add up to " + intToStr(sum) + " pixels, more than its " + (across ? "width" : "height") +
                                " of " + intToStr(extent) + ".");
}

void Checker::checkVersion2Edges()
{
    // In the order the preview loads them; the side edges hold their frames side by
    // side, the top and bottom edges one under another.
    static const struct {
        const char* attribute;
        const char* edge;
        bool sideBySide;
    } edges[] = {{"LEFT", "Left", true}, {"RIGHT", "Right", true}, {"TOP", "Top", false}, {"BOTTOM", "Bottom", false}};
    for (const auto& e : edges) {
        std::optional<Bitmap> found = bitmap("PERSONALITY", e.attribute);
        if (!found)
            continue;
        int frames = uisFrameCount(values_, version_, e.edge);
        if (frames == 0)
            frames = 1;
        checkFrames(*found, e.sideBySide, frames, std::string(e.edge) + "Frame=" + intToStr(frames));
        checkEnds(*found, !e.sideBySide, e.edge, "Bot");
    }
}

void Checker::checkVersion1pEdges()
{
    int frames = uisFrameCount(values_, version_, "");
    if (frames == 0)
        frames = 1;
    const std::string declaration = "FrameCount=" + intToStr(frames);
    // vertFrame: the left edge is its left half, the right edge its right half, each
    // with the frames side by side.
    if (std::optional<Bitmap> found = bitmap("BORDERS", "vertFrame")) {
        if (positiveFrameCount(*found, frames, declaration) && found->size.width % (2 * int64_t(frames)) != 0)
            addGeometry(*found, "Frame size mismatch - " + found->where() + " is " + intToStr(found->size.width) +
                                    " pixels wide, which does not divide into two halves of " + intToStr(frames) +
                                    " frames each (" + declaration + ").");
        checkEnds(*found, false, "Left", "Bottom");
        checkEnds(*found, false, "Right", "Bottom");
    }
    // horzFrame: the bottom edge is its first 4 rows per frame, the top edge the rows
    // after them, both with the frames one under another.
    if (std::optional<Bitmap> found = bitmap("BORDERS", "horzFrame")) {
        if (positiveFrameCount(*found, frames, declaration)) {
            int64_t bottomRows = 4 * int64_t(frames);
            int64_t topRows = found->size.height - bottomRows;
            if (topRows <= 0)
                addGeometry(*found, "Frame size mismatch - " + found->where() + " is " + intToStr(found->size.height) +
                                        " pixels high, which leaves no rows for the top border after the " +
                                        intToStr(bottomRows) + " rows of the bottom border (" + declaration + ").");
            else if (topRows % frames != 0)
                addGeometry(*found, "Frame size mismatch - " + found->where() + " is " + intToStr(found->size.height) +
                                        " pixels high; the " + intToStr(topRows) + " rows after the " +
                                        intToStr(bottomRows) + " rows of the bottom border do not divide into " +
                                        intToStr(frames) + " frames (" + declaration + ").");
        }
        checkEnds(*found, true, "Top", "Bottom");
        checkEnds(*found, true, "Bottom", "Bottom");
    }
}

void Checker::checkButtonStrips()
{
    // Picture buttons: normal, pressed and hot side by side, twice over (active, then
    // inactive) with triple images. Plug-in, text and window-icon buttons draw no strip.
    bool triple = values_.ReadBool("PERSONALITY", "TripleImages", false);
    const int frames = triple ? 6 : 3;
    const std::string declaration = std::string("TripleImages=") + (triple ? "1" : "0");
    const int count = uisButtonCount(values_, version_);
    for (std::size_t position = 0; position < sections_.count(); ++position) {
        const std::string section(sections_.name(position));
        // Only the sections the preview loads: BUTTON followed by a number below the count.
        std::optional<int> number = buttonNumber(asciiUpper(section));
        if (!number || *number >= count)
            continue;
        int action = values_.ReadInteger(section, "Action", 0);
        if (action == -3 || action == 11 || values_.ReadInteger(section, "Type", 0) == 1)
            continue;
        if (std::optional<Bitmap> found = bitmap(section, "ButtonImage"))
            checkFrames(*found, true, frames, declaration);
    }
}

void Checker::checkBitmapGeometry()
{
    switch (version_) {
    case UisType2: checkVersion2Edges(); break;
    case UisType1p: checkVersion1pEdges(); break;
    default: return;  // no preview, so no frames to cut
    }
    checkButtonStrips();
    checkPreviewBudget();
}

// The preview holds the bitmaps of one personality within one budget of decoded
// pixels; those past it are not drawn. They are counted here in the order the
// preview loads them (edges, the other pictures, the title-bar buttons), a file named
// twice once, so the findings name the very bitmaps the preview leaves out.
void Checker::checkPreviewBudget()
{
    struct Named {
        const char* section;
        const char* attribute;
        const char* fallback;
    };
    static const Named version2Edges[] = {
        {"PERSONALITY", "LEFT", ""}, {"PERSONALITY", "RIGHT", ""}, {"PERSONALITY", "TOP", ""}, {"PERSONALITY", "BOTTOM", ""}};
    static const Named version1pEdges[] = {{"BORDERS", "vertFrame", ""}, {"BORDERS", "horzFrame", ""}};
    static const Named others[] = {
        {"PROGRESS", "BITMAP", ""},         {"PERSONALITY", "TextBack", ""},  {"BUTTONS", "BITMAP", "bms.bmp"},
        {"PERSONALITY", "DialogBmp", ""},   {"PERSONALITY", "Menubar", ""},   {"BUTTONS", "CheckButton", ""},
        {"BUTTONS", "RadioButton", ""},     {"TABS", "Border", ""},           {"TABS", "IMAGE", ""},
        {"Scrollbar", "IMAGE", ""},         {"HorzScrollThumb", "IMAGE", ""}, {"HorzScroll", "IMAGE", ""},
        {"VertScrollThumb", "IMAGE", ""},   {"VertScroll", "IMAGE", ""}};
    PixelBudget budget;
    auto count = [&](const std::string& section, const std::string& attribute, const char* fallback) {
        std::optional<Bitmap> found = bitmap(section, attribute, fallback);
        if (found && !budget.take(found->path, int64_t(found->size.width) * found->size.height))
            addGeometry(*found, "Unreadable " + found->where() + ": the preview cannot load it (" +
                                    budgetRefusal(found->size) + ").");
    };
    if (version_ == UisType2)
        for (const Named& n : version2Edges)
            count(n.section, n.attribute, n.fallback);
    else
        for (const Named& n : version1pEdges)
            count(n.section, n.attribute, n.fallback);
    for (const Named& n : others)
        count(n.section, n.attribute, n.fallback);
    const int buttons = std::clamp(uisButtonCount(values_, version_), 0, 1024);
    for (int i = 0; i < buttons; ++i) {
        const std::string section = "Button" + intToStr(i);
        const int action = values_.ReadInteger(section, "Action", 0);
        if (action != -3 && action != 11 && values_.ReadInteger(section, "Type", 0) != 1)
            count(section, "ButtonImage", "");
    }
}

}  // namespace

bool ValidationResult::clean() const
{
    return completed && findings.size() == 1 && findings[0].icon == IconNoErrors;
}

namespace {

ValidationResult run(TCustomIniFile& values, const FirstSections& sections, TUisDefinition& catalogue, int version,
                     const fs::path& file, const fs::path& skinsRoot)
{
    ValidationResult result;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        result.findings.push_back({"No uis file found in this directory or uis has a different filename than the "
                                   "folder containing it",
                                   IconNoPersonalityFile, "", "", FindingKind::Catalogue});
        return result;
    }
    Checker checker(values, sections, catalogue, version, skinsRoot, result);
    checker.checkCatalogue();
    if (!result.completed)
        return result;
    checker.checkBitmapGeometry();
    // Only once every check has had its say can the file be called clean.
    if (result.findings.empty())
        result.findings.push_back({kNoErrorsFound, IconNoErrors, "", "", FindingKind::Catalogue});
    return result;
}

}  // namespace

ValidationResult validate(TUisFile& document, const fs::path& file, const fs::path& skinsRoot)
{
    StoreSections sections(document);
    return run(document, sections, document.Definition(), document.FormatVersion(), file, skinsRoot);
}

ValidationResult validate(TUisFile& document)
{
    return validate(document, document.DiskPath(), document.SkinsRoot());
}

ValidationResult validate(PersonalityText& text, TUisDefinition& catalogue, int version, const fs::path& file,
                          const fs::path& skinsRoot)
{
    TextSections sections(text);
    return run(text, sections, catalogue, version, file, skinsRoot);
}

std::string findingsSummary(const ValidationResult& result)
{
    std::size_t missingFiles = 0, missingAttributes = 0, notAllowed = 0, outOfRange = 0, geometry = 0, other = 0;
    for (const ValidationFinding& finding : result.findings) {
        switch (finding.icon) {
        case IconNoErrors: break;
        case IconFileNotFound: ++missingFiles; break;
        case IconBelowMinimum:
        case IconAboveMaximum: ++outOfRange; break;
        case IconBitmapGeometry: ++geometry; break;
        case IconValueNotAllowed:
            ++(finding.caption.rfind("Manditory attribute", 0) == 0 ? missingAttributes : notAllowed);
            break;
        default: ++other; break;
        }
    }
    std::string text;
    auto add = [&](std::size_t count, const char* one, const char* many) {
        if (count == 0)
            return;
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + (count == 1 ? one : many);
    };
    add(missingFiles, "file not found", "files not found");
    add(missingAttributes, "mandatory attribute missing", "mandatory attributes missing");
    add(notAllowed, "value or attribute the catalogue does not allow", "values or attributes the catalogue does not allow");
    add(outOfRange, "value out of range", "values out of range");
    add(geometry, "picture that does not fit its frames", "pictures that do not fit their frames");
    add(other + result.omitted, "other finding", "other findings");
    if (!result.completed)
        text += std::string(text.empty() ? "" : ", ") + "the check stopped early";
    return text;
}

}  // namespace sw
