// Checking a JSON document against the shape of a result. Members the reader does not know are
// passed over, so a later version that adds some is still read.
#include "fleet/ResultReader.h"

#include "fleet/CheckTime.h"
#include "fleet/JsonReader.h"
#include "report/ProductNames.h"
#include "text/Utf8.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace prereq {

namespace {

using namespace std::string_view_literals; // names whose length is known where they are written

const char kNotAResult[] = "not a PrereqCheck result: ";

// What one file may add to the page and the spreadsheet files. Windows gives a computer a name
// of at most MAX_COMPUTERNAME_LENGTH characters; the longest text PrereqCheck writes into a
// result, a prerequisite's, is well under the others' limit; a product has at most a dozen
// prerequisites, a result three products.
constexpr std::size_t kComputerNameCharacters = 15;
constexpr std::size_t kTextCharacters = 200;
constexpr std::size_t kListItems = 32;

std::size_t characters(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
    return count;
}

// Control characters (C0, DEL, C1) as U+FFFD, and no blanks at either end.
std::string cleanText(const std::string& text) {
    // Controls are below 0x20, DEL, and C1's U+0080 to U+009F, which UTF-8 writes as 0xC2 0x80
    // to 0xC2 0x9F: a text without those bytes needs at most its blanks trimmed.
    bool plain = true;
    for (const char *c = text.data(), *end = c + text.size(); plain && c != end; ++c)
        plain = static_cast<unsigned char>(*c) >= 0x20 && *c != 0x7F && *c != '\xC2';
    if (plain) {
        const std::size_t first = text.find_first_not_of(' ');
        return first == std::string::npos
                   ? std::string()
                   : text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    std::string clean;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::uint32_t codePoint = nextCodePoint(text, offset);
        appendUtf8(clean, codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0) ? 0xFFFD
                                                                                      : codePoint);
    }
    const std::size_t first = clean.find_first_not_of(' ');
    return first == std::string::npos
               ? std::string()
               : clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

bool isStatus(const std::string& text) {
    return text == "satisfied" || text == "below-recommended" || text == "not-satisfied";
}

// Reads member name of object as text; problem names what is wrong when it is missing, not a
// string, or (required) empty, or (a status) none of the three.
enum TextRule { Optional, Required, Status };

bool readText(const JsonValue& object, std::string_view name, TextRule rule,
              const std::string& where, std::string& text, std::string& problem) {
    const JsonValue* value = object.member(name);
    if (!value && rule == Optional)
        return true;
    if (!value || value->kind != JsonValue::String) {
        problem = kNotAResult + where + "no \"" + std::string(name) + "\" text";
        return false;
    }
    text = cleanText(value->text);
    const std::size_t limit = name == "computer" ? kComputerNameCharacters : kTextCharacters;
    if (text.size() > limit && characters(text) > limit) { // never more characters than bytes
        problem = (where.empty() ? "its \"" + std::string(name) + "\" is"
                                 : where + "a \"" + std::string(name) + "\"") +
                  " longer than " + std::to_string(limit) + " characters";
        return false;
    }
    // A sentence: "product 1 has a "verdict" that is not a verdict".
    if ((rule == Required && text.empty()) || (rule == Status && !isStatus(text))) {
        const std::string what = rule == Status ? "not a verdict" : "empty";
        problem = kNotAResult + (where.empty()
                                     ? "its \"" + std::string(name) + "\" is " + what
                                     : where + "a \"" + std::string(name) + "\" that is " + what);
        return false;
    }
    return true;
}

const JsonValue* readList(const JsonValue& object, std::string_view name, const std::string& where,
                          std::string& problem) {
    const JsonValue* list = object.member(name);
    if (!list || list->kind != JsonValue::Array) {
        problem = kNotAResult + where + "no \"" + std::string(name) + "\" list";
        return nullptr;
    }
    if (list->items.size() > kListItems) {
        problem = (where.empty() ? "" : where) + "more than " + std::to_string(kListItems) + " " +
                  std::string(name);
        return nullptr;
    }
    for (const JsonValue& item : list->items)
        if (item.kind != JsonValue::Object) {
            problem =
                kNotAResult + where + "\"" + std::string(name) + "\" holds something not an object";
            return nullptr;
        }
    return list;
}

bool readPrerequisite(const JsonValue& object, const std::string& where, ResultPrerequisite& entry,
                      std::string& problem) {
    return readText(object, "minimumPrerequisite"sv, Required, where, entry.minimumPrerequisite,
                    problem) &&
           readText(object, "status"sv, Status, where, entry.status, problem) &&
           readText(object, "pcLevel"sv, Optional, where, entry.pcLevel, problem) &&
           readText(object, "recommendedLevel"sv, Optional, where, entry.recommendedLevel,
                    problem) &&
           readText(object, "moreInfoPage"sv, Optional, where, entry.moreInfoPage, problem);
}

bool readProduct(const JsonValue& object, std::size_t index, ResultProduct& product,
                 std::string& problem) {
    const std::string where = "product " + std::to_string(index + 1) + " has ";
    if (!readText(object, "name"sv, Required, where, product.name, problem) ||
        !readText(object, "verdict"sv, Status, where, product.verdict, problem))
        return false;
    const JsonValue* list = readList(object, "prerequisites"sv, where, problem);
    if (!list)
        return false;
    for (const JsonValue& item : list->items) {
        product.prerequisites.emplace_back();
        if (!readPrerequisite(item, where, product.prerequisites.back(), problem))
            return false;
    }
    return true;
}

} // namespace

std::string readResult(const std::string& text, ComputerResult& result) {
    if (text.empty())
        return "empty";
    JsonValue document;
    std::string problem;
    if (!readJson(text, document, problem))
        return problem;
    if (document.kind != JsonValue::Object)
        return std::string(kNotAResult) + "not a JSON object";
    if (!readText(document, "computer"sv, Required, "", result.computer, problem) ||
        !readText(document, "version"sv, Required, "", result.version, problem) ||
        !readText(document, "checkedAt"sv, Optional, "", result.checkedAt, problem) ||
        !readText(document, "windows"sv, Optional, "", result.windows, problem) ||
        !readText(document, "servicePack"sv, Optional, "", result.servicePack, problem))
        return problem;
    result.checkedAtKnown = parseCheckTime(result.checkedAt, result.checked);
    const JsonValue* products = readList(document, "products"sv, "", problem);
    if (!products)
        return problem;
    for (std::size_t index = 0; index < products->items.size(); ++index) {
        result.products.emplace_back();
        if (!readProduct(products->items[index], index, result.products.back(), problem))
            return problem;
    }
    // The page and the spreadsheet files have a column for each product this program judges;
    // any other name, or one named twice, would add columns or rows no PC can have.
    for (std::size_t index = 0; index < result.products.size(); ++index) {
        const std::string& name = result.products[index].name;
        if (std::find(std::begin(kProductNames), std::end(kProductNames), name) ==
            std::end(kProductNames))
            return "names a product this program does not know";
        for (std::size_t before = 0; before < index; ++before)
            if (result.products[before].name == name)
                return "names a product twice";
    }
    return {};
}

} // namespace prereq
