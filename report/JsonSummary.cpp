// The JSON summary: written by hand (the program depends on nothing but the standard library),
// two-space indented, one prerequisite per line.
#include "report/JsonSummary.h"

#include "platform/AnsiText.h"
#include "platform/PcSnapshot.h"
#include "report/SummaryFields.h"
#include "resources/Version.h"
#include "text/Utf8.h"

namespace prereq {

namespace {

// Each member is appended to the one document as it is made: a 486 pays for every
// intermediate string and its copy.
void appendMember(std::string& out, const char* indent, const char* name,
                  const std::string& value) {
    out += indent;
    out += '"';
    out += name;
    out += "\": ";
    appendJsonString(out, value);
}

void appendPrerequisite(std::string& out, const PrerequisiteResult& entry) {
    appendMember(out, "{", "minimumPrerequisite", entry.minimumPrerequisite());
    appendMember(out, ", ", "status", statusName(entry.status()));
    appendMember(out, ", ", "pcLevel", entry.pcLevel());
    appendMember(out, ", ", "recommendedLevel", entry.recommendedLevel());
    appendMember(out, ", ", "moreInfoPage", helpPage(entry));
    out += '}';
}

void appendProduct(std::string& out, const ProductAssessment& product) {
    out += "    {\n";
    appendMember(out, "      ", "name", product.productName());
    appendMember(out, ",\n      ", "verdict", statusName(summaryVerdict(product)));
    appendMember(out, ",\n      ", "reportFile", product.reportFileName());
    out += ",\n      \"prerequisites\": [";
    const char* separator = "\n        ";
    for (const PrerequisiteResult* entry : shownEntries(product)) {
        out += separator;
        appendPrerequisite(out, *entry);
        separator = ",\n        ";
    }
    out += "\n      ]\n    }";
}

// The Windows the PC reports through GetVersionExA: "Windows NT 4.0 build 1381"; empty when the
// call fails. Windows 95 keeps its build in the low word only.
std::string windowsText(const VersionInfo& version) {
    const std::string number =
        std::to_string(version.majorVersion) + "." + std::to_string(version.minorVersion);
    std::string name = "Windows " + number;
    if (version.platformId == kPlatformWin32Windows)
        name = version.minorVersion >= 90   ? "Windows Me"
               : version.minorVersion >= 10 ? "Windows 98"
                                            : "Windows 95";
    else if (version.platformId == kPlatformWin32Nt)
        name = version.majorVersion == 5 && version.minorVersion == 0 ? "Windows 2000"
                                                                      : "Windows NT " + number;
    return name + " build " + std::to_string(version.buildNumber & 0xFFFF);
}

} // namespace

void appendJsonString(std::string& out, const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    // Well-formed UTF-8 either way: ASCII is the same in every code page.
    const bool ascii = isAscii(text);
    const std::string converted = ascii ? std::string() : utf8FromAnsi(text);
    const std::string& utf8 = ascii ? text : converted;
    out += '"';
    std::size_t runStart = 0; // the characters that go out as they are, copied in runs
    for (std::size_t offset = 0; offset < utf8.size();) {
        const std::size_t at = offset;
        const auto byte = static_cast<unsigned char>(utf8[offset]);
        const std::uint32_t codePoint =
            byte < 0x80 ? (++offset, byte) : nextCodePoint(utf8, offset);
        const bool quoted = codePoint == '"' || codePoint == '\\';
        const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
        if (!quoted && !control)
            continue;
        out.append(utf8, runStart, at - runStart);
        runStart = offset;
        if (quoted) {
            out += '\\';
            out += static_cast<char>(codePoint);
        } else {
            out += "\\u00";
            out += kHex[codePoint >> 4];
            out += kHex[codePoint & 0xF];
        }
    }
    out.append(utf8, runStart, std::string::npos);
    out += '"';
}

std::string jsonString(const std::string& text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

std::string jsonSummary(const std::vector<const ProductAssessment*>& products,
                        const std::string& computer, const std::string& checkedAt) {
    VersionInfo version;
    const bool known = snapshot().version(version);
    std::string out;
    out.reserve(4096); // a document of three products, with room to spare
    appendMember(out, "{\n  ", "version", PREREQ_FULL_VERSION_TEXT);
    appendMember(out, ",\n  ", "computer", computer);
    appendMember(out, ",\n  ", "checkedAt", checkedAt);
    appendMember(out, ",\n  ", "windows", known ? windowsText(version) : "");
    appendMember(out, ",\n  ", "servicePack", known ? version.csdVersion : "");
    out += ",\n  \"products\": [";
    const char* separator = "\n";
    for (const ProductAssessment* product : products) {
        out += separator;
        appendProduct(out, *product);
        separator = ",\n";
    }
    out += "\n  ]\n}\n";
    return out;
}

} // namespace prereq
