// The help pages the probes name as "More Info".
#include "checks/MoreInfoPages.h"

namespace prereq {

bool isMoreInfoPage(const std::string& name) {
    // As ModemDriverCheck, RemoteAccessCheck and ServicePackCheck name them.
    static const char* const kPages[] = {"ntmodem.html",   "2000modem.html", "9598memodem.html",
                                         "ras.html",       "dunfirst.html",  "dun95.html",
                                         "dunosr298.html", "ntsp.html",      "rasfirst.html"};
    for (const char* page : kPages)
        if (name == page)
            return true;
    return false;
}

} // namespace prereq
