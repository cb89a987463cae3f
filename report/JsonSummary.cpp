// The JSON summary: written by hand (the program depends on nothing but the standard library),
// two-space indented, one prerequisite per line.
#include "report/JsonSummary.h"

#include "platform/Platform.h"
#include "report/SummaryFields.h"
#include "report/Windows1252.h"
#include "resources/Version.h"

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

// The PC's ANSI text as UTF-16, by the PC's own code page; Windows-1252 should that fail.
std::u16string wideText(const std::string& text) {
    std::u16string wide;
    if (platform().ansiToUtf16(text, wide))
        return wide;
    wide.clear();
    for (const char c : text)
        wide += static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(c)));
    return wide;
}

} // namespace

// UTF-16 to UTF-8 here rather than by WideCharToMultiByte: Windows 95 documents no conversion
// to UTF-8 (CP_UTF8).
std::string jsonString(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    const std::u16string wide = wideText(text);
    std::string out = "\"";
    for (std::size_t i = 0; i < wide.size(); ++i) {
        std::uint32_t codePoint = wide[i];
        const bool high = codePoint >= 0xD800 && codePoint < 0xDC00;
        if (high && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (wide[++i] - 0xDC00);
        else if (codePoint >= 0xD800 && codePoint < 0xE000)
            codePoint = 0xFFFD; // a surrogate without its pair has no UTF-8
        if (codePoint == '"' || codePoint == '\\') {
            out += '\\';
            out += static_cast<char>(codePoint);
        } else if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) {
            out += "\\u00";
            out += kHex[codePoint >> 4];
            out += kHex[codePoint & 0xF];
        } else {
            appendUtf8(out, codePoint);
        }
    }
    return out + "\"";
}

std::string jsonSummary(const std::vector<const ProductAssessment*>& products,
                        const std::string& computer) {
    std::string out = "{\n  " + member("version", jsonString(PREREQ_FULL_VERSION_TEXT)) + ",\n";
    out += "  " + member("computer", jsonString(computer)) + ",\n";
    out += "  \"products\": [";
    const char* separator = "\n";
    for (const ProductAssessment* product : products) {
        out += separator + productObject(*product);
        separator = ",\n";
    }
    return out + "\n  ]\n}\n";
}

} // namespace prereq
