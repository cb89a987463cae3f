// The whole report of the documented example: "Wardline LAN" not satisfied, its one shown entry a
// missing CD-ROM drive without a help page. Shared by the simulated and the real file tests.
#pragma once

namespace prereq {

inline constexpr char kWorkedExampleReport[] =
    "<!doctype html public -//w3c//dtd html 4.0 transitional//en><html><head>"
    "<meta content=text/html; charset=iso-8859-1><title>PC Status Report</title>"
    "</head><body><strong>Wardline LAN</strong><table BORDER WIDTH=100% ><tr>"
    "<td>Prerequisite</td><td>Prerequisite Satisfied?</td><td>Your PC's level</td>"
    "<td>&nbsp </td></tr><tr><td>CD-ROM drive</td><td><img SRC=\"red_x.gif\" NOSAVE "
    "height=16 width=15> No</td><td>no CD-ROM drive</td><td>&nbsp </td></tr></br>"
    "</table></body></html>";

} // namespace prereq
