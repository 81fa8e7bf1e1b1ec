#include "ValidateCommand.h"

#include "document/PersonalityText.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

enum ValidateExit { ValidateClean = 0, ValidateFindings = 1, ValidateFailed = 2 };

const char* kUsage = "skinwrt validate [--json] FILE...";
// The explorer's own words for a file it refuses.
const char* kUnknownFormat = "This is file format is either not supported or the file is corrupted.";

// What one file gave: its findings, or why it could not be checked.
struct FileReport {
    std::string file;  // as given
    std::optional<int> version;
    std::vector<ValidationFinding> findings;
    std::size_t omitted = 0;  // findings counted but not listed
    bool unknownFormat = false;
    std::string error;  // the file could not be read, or its check could not complete

    int exitCode() const
    {
        if (!error.empty())
            return ValidateFailed;
        bool clean = findings.size() == 1 && findings[0].icon == IconNoErrors;
        return clean ? ValidateClean : ValidateFindings;
    }
};

FileReport checkFile(const std::string& name)
{
    FileReport report;
    report.file = name;
    std::error_code ec;
    if (!fs::is_regular_file(name, ec)) {
        report.error = fs::exists(name, ec) ? "not a file" : "no such file";
        return report;
    }
    try {
        // A bare name is a file of the current folder, not of the Windows folder.
        fs::path path = fs::absolute(name, ec);
        if (ec)
            path = profileFilePath(name);
        // Read as text, without the editor's store of every entry: a file of millions of
        // lines is checked in little more memory than its bytes.
        PersonalityText text(path);
        const int version = uisVersionOf(text);
        if (version == UisTypeUnknown) {
            report.version = version;
            report.unknownFormat = true;
            report.findings.push_back({kUnknownFormat, IconNoPersonalityFile, "", "", FindingKind::Catalogue});
            return report;
        }
        // The catalogue as the editor sees it when it opens the file.
        const fs::path program = programFolder();
        TUisDefinition catalogue((program / TUisFile::CatalogueFileName(version)).string());
        report.version = version;
        const fs::path folder = path.parent_path();
        for (const fs::path& plugin : pluginCatalogueFiles(folder, program))
            catalogue.MergePlugin(plugin.string(), version);
        ValidationResult result = validate(text, catalogue, version, path, folder.parent_path());
        report.findings = std::move(result.findings);
        report.omitted = result.omitted;
        if (!result.completed)
            report.error = "validation stopped at [" + result.errorSection + "] " + result.errorAttribute +
                           " by the catalogue: " + result.error;
    } catch (const std::exception& error) {
        report.error = error.what();
    }
    return report;
}

// A JSON string of single-byte text: bytes above 127 are Latin-1 characters.
std::string jsonString(std::string_view text)
{
    static const char* hex = "0123456789abcdef";
    std::string json;
    json.reserve(text.size() + 2);  // a value may be megabytes long: grown only for escapes
    json += '"';
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (byte < 0x20 || byte >= 0x7f) {
                json += "\\u00";
                json += hex[byte >> 4];
                json += hex[byte & 15];
            } else {
                json += c;
            }
        }
    }
    json += '"';
    return json;
}

const char* kindName(const FileReport& report, const ValidationFinding& finding)
{
    if (report.unknownFormat)
        return "format";
    return finding.kind == FindingKind::BitmapGeometry ? "bitmap-geometry" : "catalogue";
}

void printJson(const FileReport& report, std::ostream& out)
{
    static const char* status[] = {"clean", "findings", "error"};
    out << "{\"file\": " << jsonString(report.file) << ", \"version\": ";
    if (report.version)
        out << *report.version;
    else
        out << "null";
    out << ", \"status\": \"" << status[report.exitCode()] << "\", \"error\": ";
    if (report.error.empty())
        out << "null";
    else
        out << jsonString(report.error);
    out << ", \"findings\": [";
    const char* separator = "";
    for (const ValidationFinding& finding : report.findings) {
        out << separator << "{\"kind\": \"" << kindName(report, finding) << "\", \"icon\": " << finding.icon
            << ", \"section\": " << jsonString(finding.section) << ", \"attribute\": " << jsonString(finding.attribute)
            << ", \"message\": " << jsonString(finding.caption) << "}";
        separator = ", ";
    }
    out << "]";
    if (report.omitted)
        out << ", \"omitted\": " << report.omitted;
    out << "}";
}

}  // namespace

std::string validateHelp()
{
    return std::string("Usage: ") + kUsage +
           "\n"
           "Checks each personality file against the catalogue of its format version and the\n"
           "files it names. Prints one line per finding: file, section, attribute and message,\n"
           "separated by tabs (\"No errors found\" for a clean file). --json prints a JSON array\n"
           "with one object per file (file, version, status, error, findings; omitted when some\n"
           "were not listed).\n"
           "At most 10000 findings of one kind are listed; the rest are counted in a last line.\n"
           "Exit 0 when every file is clean, 1 when any has findings, 2 when a file cannot be\n"
           "read or checked.\n";
}

int runValidate(const std::vector<std::string>& files, bool json, std::ostream& out, std::ostream& err)
{
    if (files.empty()) {
        err << "Usage: " << kUsage << "\n";
        return ValidateFailed;
    }
    int exitCode = ValidateClean;
    if (json)
        out << "[";
    const char* separator = "\n";
    for (const std::string& file : files) {
        FileReport report = checkFile(file);
        if (json) {
            out << separator;
            printJson(report, out);
            separator = ",\n";
        } else {
            for (const ValidationFinding& finding : report.findings)
                out << file << '\t' << finding.section << '\t' << finding.attribute << '\t' << finding.caption << "\n";
            if (report.omitted)
                out << file << "\t\t\t" << report.omitted << " more findings not listed (at most "
                    << kMaxFindingsListed << " of each kind are)\n";
        }
        if (!report.error.empty())
            err << "skinwrt: " << file << ": " << report.error << "\n";
        exitCode = std::max(exitCode, report.exitCode());
    }
    if (json)
        out << "\n]\n";
    return exitCode;
}

int runValidateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool json = false;
    std::vector<std::string> files;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && (arg == "--help" || arg == "-h")) {
            out << validateHelp();
            return ValidateClean;
        }
        if (options && arg == "--json") {
            json = true;
        } else if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            err << "skinwrt: validate: unknown option " << arg << "\nUsage: " << kUsage << "\n";
            return ValidateFailed;
        } else {
            files.push_back(arg);
        }
    }
    return runValidate(files, json, out, err);
}

}  // namespace sw
