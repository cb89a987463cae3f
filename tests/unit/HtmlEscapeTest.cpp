// Escaping of report texts: markup characters become entities, everything else is untouched.
#include "text/HtmlEscape.h"

#include "resources/StringIds.h"

#include <gtest/gtest.h>

namespace prereq {
namespace {

TEST(EscapeHtml, ReplacesEachMarkupCharacterByItsEntity) {
    const struct {
        std::string text;
        std::string escaped;
    } cases[] = {
        {"", ""},
        {"&", "&amp;"},
        {"<", "&lt;"},
        {">", "&gt;"},
        {"\"", "&quot;"},
        {"Service Pack 2 <beta> & \"RC1\"", "Service Pack 2 &lt;beta&gt; &amp; &quot;RC1&quot;"},
        // An entity already present is text too, so it is escaped again rather than trusted.
        {"&amp;", "&amp;amp;"},
        {"<<>>", "&lt;&lt;&gt;&gt;"},
        {"Service Pack 6\r\nBuild\n", "Service Pack 6&#13;&#10;Build&#10;"},
        {"'single' quotes stay", "'single' quotes stay"},
        {std::string("caf\xe9 \x01\x7f", 7), std::string("caf\xe9 \x01\x7f", 7)},
        {std::string("a\0<b", 4), std::string("a\0&lt;b", 7)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(escapeHtml(c.text), c.escaped) << c.text;
}

// Reports of real PCs must stay byte for byte as the browser pages expect them.
TEST(EscapeHtml, LeavesTheSystemsOwnTextsUnchanged) {
    for (std::uint32_t id = 1; id <= 24; ++id) {
        ASSERT_NE(builtInString(id), nullptr) << id;
        EXPECT_EQ(escapeHtml(builtInString(id)), builtInString(id)) << id;
    }
    const char* const names[] = {
        "Plinth-Setup",  "Wardline",     "Wardline LAN",   "ntsp.html",
        "rasfirst.html", "ras.html",     "dun95.html",     "dunosr298.html",
        "dunfirst.html", "ntmodem.html", "2000modem.html", "9598memodem.html",
    };
    for (const char* name : names)
        EXPECT_EQ(escapeHtml(name), name);
}

} // namespace
} // namespace prereq
