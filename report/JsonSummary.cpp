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

std::string member(const char* name, const std::string& quotedValue) {
    return std::string("\"") + name + "\": " + quotedValue;
}

std::string prerequisiteObject(const PrerequisiteResult& entry) {
    return "{" + member("minimumPrerequisite", jsonString(entry.minimumPrerequisite())) + ", " +
           member("status", jsonString(statusName(entry.status()))) + ", " +
           member("pcLevel", jsonString(entry.pcLevel())) + ", " +
           member("recommendedLevel", jsonString(entry.recommendedLevel())) + ", " +
           member("moreInfoPage", jsonString(helpPage(entry))) + "}";
}

std::string productObject(const ProductAssessment& product) {
    std::string out = "    {\n";
    out += "      " + member("name", jsonString(product.productName())) + ",\n";
    out += "      " + member("verdict", jsonString(statusName(summaryVerdict(product)))) + ",\n";
    out += "      " + member("reportFile", jsonString(product.reportFileName())) + ",\n";
    out += "      \"prerequisites\": [";
    const char* separator = "\n";
    for (const PrerequisiteResult& entry : shownEntries(product)) {
        out += separator + std::string("        ") + prerequisiteObject(entry);
        separator = ",\n";
    }
    out += "\n      ]\n    }";
    return out;
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

std::string jsonString(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    const std::string utf8 = utf8FromAnsi(text); // well-formed: decoded from the code page
    std::string out = "\"";
    out.reserve(utf8.size() + 2);
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
    return out + "\"";
}

std::string jsonSummary(const std::vector<const ProductAssessment*>& products,
                        const std::string& computer, const std::string& checkedAt) {
    std::string out = "{\n  " + member("version", jsonString(PREREQ_FULL_VERSION_TEXT)) + ",\n";
    out += "  " + member("computer", jsonString(computer)) + ",\n";
    out += "  " + member("checkedAt", jsonString(checkedAt)) + ",\n";
    VersionInfo version;
    const bool known = snapshot().version(version);
    out += "  " + member("windows", jsonString(known ? windowsText(version) : "")) + ",\n";
    out += "  " + member("servicePack", jsonString(known ? version.csdVersion : "")) + ",\n";
    out += "  \"products\": [";
    const char* separator = "\n";
    for (const ProductAssessment* product : products) {
        out += separator + productObject(*product);
        separator = ",\n";
    }
    return out + "\n  ]\n}\n";
}

} // namespace prereq
