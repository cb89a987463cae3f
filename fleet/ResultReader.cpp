// Checking a JSON document against the shape of a result. Members the reader does not know are
// passed over, so a later version that adds some is still read.
#include "fleet/ResultReader.h"

#include "fleet/CheckTime.h"
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

std::size_t characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
    return count;
}

std::string_view withoutBlanks(std::string_view text) {
    if (text.empty() || (text.front() != ' ' && text.back() != ' ')) // as nearly every text is
        return text;
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A string token's text with control characters (C0, DEL, C1) as U+FFFD, and no blanks at
// either end: a view of the file's own bytes where they need nothing else, else of scratch.
std::string_view cleanText(const JsonDocument& document, const JsonToken& token,
                           std::string& scratch) {
    // Controls are below 0x20, DEL, and C1's U+0080 to U+009F, which UTF-8 writes as 0xC2 0x80
    // to 0xC2 0x9F. The reader let no raw byte below 0x20 through, and marked the strings with
    // escapes, DEL or 0xC2: any other is taken as it stands.
    if (!token.unclean)
        return withoutBlanks(document.written(token));
    std::string resolved;
    document.appendText(resolved, token);
    scratch.clear();
    for (std::size_t offset = 0; offset < resolved.size();) {
        const std::uint32_t codePoint = nextCodePoint(resolved, offset);
        appendUtf8(scratch, codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)
                                ? 0xFFFD
                                : codePoint);
    }
    return withoutBlanks(scratch);
}

bool isStatus(std::string_view text) {
    return sameText(text, "satisfied"sv) || sameText(text, "below-recommended"sv) ||
           sameText(text, "not-satisfied"sv);
}

// The members of one object, looked up in the order the console program writes them: each search
// begins after the member found last, so such a file costs one comparison a member, and any
// other order is still read.
class Members {
public:
    Members(const JsonDocument& document, std::size_t object)
        : document_(document), object_(object), next_(object + 1) {}

    // The index of the member's value; 0 (the document itself, never a member) when there is no
    // such member or this is no object.
    std::size_t find(std::string_view name) {
        const JsonToken& object = document_[object_];
        if (object.kind != JsonToken::Object)
            return 0;
        std::size_t at = next_;
        for (std::uint32_t tried = 0; tried < object.count; ++tried) {
            if (at >= object.next)
                at = object_ + 1;
            const std::size_t value = at + 1;
            at = document_[value].next;
            if (document_.isName(value - 1, name)) {
                next_ = at;
                return value;
            }
        }
        return 0;
    }

    const JsonDocument& document() const { return document_; }

private:
    const JsonDocument& document_;
    std::size_t object_, next_;
};

std::string quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// Where a problem is: the document itself (0), or product n counted from 1; a text made only
// for a file that has one.
std::string where(std::size_t product) {
    return product ? "product " + std::to_string(product) + " has " : std::string();
}

// Reads member name of the object at index as text; problem names what is wrong when it is
// missing, not a string, or (required) empty, or (a status) none of the three.
// (A computer's name is required, and held to the shorter limit.)
enum TextRule { Optional, Required, Status, ComputerName };

bool readText(Members& object, std::string_view name, TextRule rule, std::size_t product,
              std::string& scratch, std::string_view& text, std::string& problem) {
    const JsonDocument& document = object.document();
    const std::size_t value = object.find(name);
    text = std::string_view();
    if (!value && rule == Optional)
        return true;
    if (!value || document[value].kind != JsonToken::String) {
        problem = kNotAResult + where(product) + "no " + quoted(name) + " text";
        return false;
    }
    text = cleanText(document, document[value], scratch);
    const std::size_t limit = rule == ComputerName ? kComputerNameCharacters : kTextCharacters;
    if (text.size() > limit && characters(text) > limit) { // never more characters than bytes
        problem = (product ? where(product) + "a " + quoted(name) : "its " + quoted(name) + " is") +
                  " longer than " + std::to_string(limit) + " characters";
        return false;
    }
    // A sentence: "product 1 has a "verdict" that is not a verdict".
    if ((rule != Optional && rule != Status && text.empty()) ||
        (rule == Status && !isStatus(text))) {
        const std::string what = rule == Status ? "not a verdict" : "empty";
        problem = kNotAResult + (product ? where(product) + "a " + quoted(name) + " that is " + what
                                         : "its " + quoted(name) + " is " + what);
        return false;
    }
    return true;
}

// The same, into text.
bool readText(Members& object, std::string_view name, TextRule rule, std::size_t product,
              std::string& text, std::string& problem) {
    std::string scratch;
    std::string_view view;
    if (!readText(object, name, rule, product, scratch, view, problem))
        return false;
    text.assign(view.data(), view.size());
    return true;
}

// The index of the list of that name, of objects only; 0 with problem said when it is not one.
std::size_t readList(Members& object, std::string_view name, std::size_t product,
                     std::string& problem) {
    const JsonDocument& document = object.document();
    const std::size_t list = object.find(name);
    if (!list || document[list].kind != JsonToken::Array) {
        problem = kNotAResult + where(product) + "no \"" + std::string(name) + "\" list";
        return 0;
    }
    if (document[list].count > kListItems) {
        problem =
            where(product) + "more than " + std::to_string(kListItems) + " " + std::string(name);
        return 0;
    }
    for (std::size_t item = list + 1; item < document[list].next; item = document[item].next)
        if (document[item].kind != JsonToken::Object) {
            problem = kNotAResult + where(product) + "\"" + std::string(name) +
                      "\" holds something not an object";
            return 0;
        }
    return list;
}

// A prerequisite's texts, each checked; kept (added to kept) only where it is not satisfied.
bool readPrerequisite(const JsonDocument& document, std::size_t index, std::size_t product,
                      std::vector<ResultPrerequisite>& kept, std::string& problem) {
    Members object(document, index);
    std::string scratch[5];
    std::string_view text[5];
    const bool read =
        readText(object, "minimumPrerequisite"sv, Required, product, scratch[0], text[0],
                 problem) &&
        readText(object, "status"sv, Status, product, scratch[1], text[1], problem) &&
        readText(object, "pcLevel"sv, Optional, product, scratch[2], text[2], problem) &&
        readText(object, "recommendedLevel"sv, Optional, product, scratch[3], text[3], problem) &&
        readText(object, "moreInfoPage"sv, Optional, product, scratch[4], text[4], problem);
    if (read && text[1].size() != 9) // of the three statuses, "satisfied" alone
        kept.push_back(ResultPrerequisite{std::string(text[0]), std::string(text[1]),
                                          std::string(text[2]), std::string(text[3]),
                                          std::string(text[4])});
    return read;
}

bool readProduct(const JsonDocument& document, std::size_t index, std::size_t product,
                 ResultProduct& out, std::string& problem) {
    Members object(document, index);
    if (!readText(object, "name"sv, Required, product, out.name, problem) ||
        !readText(object, "verdict"sv, Status, product, out.verdict, problem))
        return false;
    const std::size_t list = readList(object, "prerequisites"sv, product, problem);
    if (!list)
        return false;
    for (std::size_t item = list + 1; item < document[list].next; item = document[item].next)
        if (!readPrerequisite(document, item, product, out.prerequisites, problem))
            return false;
    return true;
}

} // namespace

std::string readResult(const std::string& text, ComputerResult& result) {
    JsonDocument document;
    return readResult(text, result, document);
}

std::string readResult(const std::string& text, ComputerResult& result, JsonDocument& document) {
    if (text.empty())
        return "empty";
    std::string problem;
    if (!readJson(text, document, problem))
        return problem;
    if (document[0].kind != JsonToken::Object)
        return std::string(kNotAResult) + "not a JSON object";
    Members object(document, 0);
    if (!readText(object, "computer"sv, ComputerName, 0, result.computer, problem) ||
        !readText(object, "version"sv, Required, 0, result.version, problem) ||
        !readText(object, "checkedAt"sv, Optional, 0, result.checkedAt, problem) ||
        !readText(object, "windows"sv, Optional, 0, result.windows, problem) ||
        !readText(object, "servicePack"sv, Optional, 0, result.servicePack, problem))
        return problem;
    result.checkedAtKnown = parseCheckTime(result.checkedAt, result.checked);
    const std::size_t products = readList(object, "products"sv, 0, problem);
    if (!products)
        return problem;
    result.products.resize(document[products].count);
    std::size_t item = products + 1;
    for (std::size_t index = 0; index < result.products.size(); ++index) {
        if (!readProduct(document, item, index + 1, result.products[index], problem))
            return problem;
        item = document[item].next;
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
