// The resources PrereqCheck.exe carries: dialog template 102 byte for byte as documented
// (frame, font, and every control in template order with its id, class, style, text and
// rectangle), the two pictures, the icon, the manifest and the string table.
#include "resources/StringIds.h"
#include "resources/resource.h"
#include "tests/unit/Win32ProgramResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace prereq {
namespace {

struct Control {
    unsigned id;
    std::string className;
    DWORD style;
    std::string text; // "#129" for a resource ordinal
    int x, y, width, height;
};

bool operator==(const Control& a, const Control& b) {
    return a.id == b.id && a.className == b.className && a.style == b.style && a.text == b.text &&
           a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::ostream& operator<<(std::ostream& out, const Control& c) {
    return out << "{" << c.id << ", " << c.className << ", 0x" << std::hex << c.style << std::dec
               << ", \"" << c.text << "\", " << c.x << ", " << c.y << ", " << c.width << ", "
               << c.height << "}";
}

struct DialogTemplate {
    DWORD style = 0, extendedStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string menu, windowClass, caption, fontName;
    int fontPoints = 0;
    std::vector<Control> controls;
};

// Reads a classic DLGTEMPLATE with its DLGITEMTEMPLATEs.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, std::size_t size)
        : start_(data), at_(data), end_(data + size) {}

    DialogTemplate read() {
        DialogTemplate dialog;
        dialog.style = dword();
        dialog.extendedStyle = dword();
        const int count = word();
        readRectangle(dialog.x, dialog.y, dialog.width, dialog.height);
        dialog.menu = nameOrOrdinal();
        dialog.windowClass = nameOrOrdinal();
        dialog.caption = text();
        if (dialog.style & DS_SETFONT) {
            dialog.fontPoints = word();
            dialog.fontName = text();
        }
        for (int i = 0; i < count && !failed_; ++i) {
            alignToDword();
            Control control;
            control.style = dword();
            dword(); // extended style
            readRectangle(control.x, control.y, control.width, control.height);
            control.id = word();
            control.className = className(nameOrOrdinal());
            control.text = nameOrOrdinal();
            const WORD creationData = word();
            at_ += creationData;
            dialog.controls.push_back(control);
        }
        return dialog;
    }
    bool failed() const { return failed_ || at_ > end_; }

private:
    WORD word() {
        if (at_ + 2 > end_) {
            failed_ = true;
            return 0;
        }
        WORD value;
        std::memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    DWORD dword() {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    void readRectangle(int& x, int& y, int& width, int& height) {
        x = static_cast<short>(word());
        y = static_cast<short>(word());
        width = static_cast<short>(word());
        height = static_cast<short>(word());
    }
    std::string text() {
        std::string result;
        for (WORD c = word(); c != 0 && !failed_; c = word())
            result += c < 0x80 ? static_cast<char>(c) : '?';
        return result;
    }
    std::string nameOrOrdinal() {
        if (at_ + 2 <= end_ && at_[0] == 0xFF && at_[1] == 0xFF) {
            word();
            return "#" + std::to_string(word());
        }
        return text();
    }
    // Class names are matched without regard to case; the resource compiler may store a
    // predefined class by its ordinal or by its name in capitals.
    static std::string className(const std::string& name) {
        if (name == "#128" || lstrcmpiA(name.c_str(), "Button") == 0)
            return "Button";
        if (name == "#130" || lstrcmpiA(name.c_str(), "Static") == 0)
            return "Static";
        return name;
    }
    void alignToDword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }

    const BYTE* start_;
    const BYTE* at_;
    const BYTE* end_;
    bool failed_ = false;
};

const void* resourceData(LPCSTR name, LPCSTR type, DWORD& size) {
    HRSRC found = FindResourceA(programResources(), name, type);
    if (!found)
        return nullptr;
    size = SizeofResource(programResources(), found);
    return LockResource(LoadResource(programResources(), found));
}

DialogTemplate mainDialog() {
    DWORD size = 0;
    const void* data = resourceData(MAKEINTRESOURCEA(IDD_PREREQCHECK_DIALOG), RT_DIALOG, size);
    if (!data)
        return {};
    TemplateReader reader(static_cast<const BYTE*>(data), size);
    DialogTemplate dialog = reader.read();
    EXPECT_FALSE(reader.failed()) << "the template ends early";
    return dialog;
}

TEST(DialogTemplate, FrameAsDocumented) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    const DialogTemplate dialog = mainDialog();
    EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                               DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(dialog.extendedStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.width, 347);
    EXPECT_EQ(dialog.height, 255);
    EXPECT_EQ(dialog.menu, "");
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.caption, "N6P2 Prerequisite Check");
    EXPECT_EQ(dialog.fontPoints, 8);
    EXPECT_EQ(dialog.fontName, "MS Sans Serif");
}

TEST(DialogTemplate, ControlsInTemplateOrder) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    constexpr DWORD text = child | WS_GROUP | SS_LEFT;
    constexpr DWORD button = child | WS_TABSTOP | BS_PUSHBUTTON;
    constexpr DWORD picture = child | SS_BITMAP;
    constexpr DWORD groupBox = child | WS_CLIPSIBLINGS | BS_GROUPBOX;
    const std::string intro =
        "In order to install and run Plinth-Setup and Wardline, your PC must satisfy certain "
        "hardware and software requirements. This utility has checked your PC for these "
        "prerequisites.  The results are displayed below.";
    const std::string lanWarning =
        "If the PC you are using for Wardline and your Corrow are not both configured properly "
        "on the LAN, you will encounter a bug that will cause a fatal error message in  "
        "Plinth-Setup. Click the button to the right for an explanation and recovery:";
    const std::string remoteNote =
        "This program does not check prerequisites for Vantry.  Specifically, this program "
        "does not check for Enhanced Parallel Port (EPP) mode.  See the Wardline Setup Guide "
        "(ZB17-3029) for additional details.";
    const std::vector<Control> expected = {
        {1, "Button", child | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK", 148, 234, 50, 14},
        {65535, "Static", child | WS_GROUP | SS_LEFTNOWORDWRAP, "Plinth Setup", 40, 53, 53, 10},
        {65535, "Static", text, "Wardline direct connect", 41, 76, 116, 8},
        {1006, "Button", button, "Details", 269, 50, 50, 14},
        {1007, "Button", button, "Details", 269, 72, 50, 14},
        {1009, "Static", picture, "#129", 26, 74, 10, 10},
        {1010, "Static", picture, "#129", 26, 52, 10, 10},
        {1011, "Static", picture, "#131", 26, 51, 11, 10},
        {1012, "Static", picture, "#131", 25, 75, 11, 10},
        {65535, "Static", text, intro, 7, 7, 333, 42},
        {1015, "Static", text, lanWarning, 7, 143, 270, 32},
        {1013, "Static", text, "", 171, 54, 87, 8},
        {1014, "Static", text, "", 171, 76, 87, 8},
        {65535, "Button", groupBox, "", 24, 46, 241, 18},
        {65535, "Button", groupBox, "", 24, 69, 241, 18},
        {65535, "Static", text, remoteNote, 7, 188, 333, 39},
        {65535, "Static", text, "Wardline LAN", 42, 97, 83, 8},
        {1016, "Static", picture, "#129", 27, 95, 10, 10},
        {1017, "Static", text, "", 172, 97, 87, 8},
        {65535, "Button", groupBox, "", 24, 90, 242, 18},
        {1018, "Static", picture, "#131", 26, 95, 11, 10},
        {1008, "Button", button, "Details", 269, 93, 50, 14},
        {1019, "Button", button, "Details", 283, 148, 50, 14},
    };
    const DialogTemplate dialog = mainDialog();
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(dialog.controls[i], expected[i]) << "control #" << i + 1;
}

// The pictures as Windows itself reads them: sizes, depth and the colours of telling pixels.
TEST(ProgramResources, PicturesAsDocumented) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    const COLORREF grey = RGB(192, 192, 192);
    struct Pixel {
        int x, y;
        COLORREF colour;
    };
    const struct {
        int id, width, height;
        std::vector<Pixel> pixels;
    } cases[] = {
        {IDB_CHECK_MARK, 15, 17, {{0, 0, grey}, {14, 16, grey}, {13, 2, RGB(0, 128, 0)}}},
        {IDB_CROSS,
         16,
         16,
         {{0, 0, grey}, {15, 15, grey}, {7, 0, RGB(255, 0, 0)}, {7, 7, RGB(255, 255, 255)}}},
    };
    for (const auto& c : cases) {
        DWORD size = 0;
        const auto* info = static_cast<const BITMAPINFOHEADER*>(
            resourceData(MAKEINTRESOURCEA(c.id), RT_BITMAP, size));
        ASSERT_NE(info, nullptr) << c.id;
        EXPECT_EQ(info->biBitCount, 4) << c.id;
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB)) << c.id;

        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(programResources(), MAKEINTRESOURCEA(c.id),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr) << c.id;
        BITMAP shape = {};
        GetObjectA(bitmap, sizeof shape, &shape);
        EXPECT_EQ(shape.bmWidth, c.width) << c.id;
        EXPECT_EQ(shape.bmHeight, c.height) << c.id;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        for (const Pixel& p : c.pixels)
            EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << c.id << " at " << p.x << "," << p.y;
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST(ProgramResources, IconHoldsA32And16PixelImageIn16Colours) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    DWORD size = 0;
    const auto* group = static_cast<const BYTE*>(
        resourceData(MAKEINTRESOURCEA(IDI_PREREQCHECK), RT_GROUP_ICON, size));
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, 6u + 2 * 14u);
    EXPECT_EQ(group[4] | group[5] << 8, 2); // images
    const int expectedSizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        EXPECT_EQ(entry[0], expectedSizes[i]) << i;  // width
        EXPECT_EQ(entry[1], expectedSizes[i]) << i;  // height
        EXPECT_EQ(entry[2], 16) << i;                // colours
        EXPECT_EQ(entry[6] | entry[7] << 8, 4) << i; // bits per pixel
    }
    for (int side : expectedSizes) {
        HICON icon = static_cast<HICON>(LoadImageA(
            programResources(), MAKEINTRESOURCEA(IDI_PREREQCHECK), IMAGE_ICON, side, side, 0));
        ASSERT_NE(icon, nullptr) << side;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << side;
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, side);
        EXPECT_EQ(colour.bmHeight, side);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ProgramResources, ManifestAsksForTheCommonControlsStyles) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    DWORD size = 0;
    const auto* manifest =
        static_cast<const char*>(resourceData(MAKEINTRESOURCEA(1), RT_MANIFEST, size));
    ASSERT_NE(manifest, nullptr);
    const std::string text(manifest, size);
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << text;
}

TEST(ProgramResources, StringTableIsTheOneSource) {
    ASSERT_NE(programResources(), nullptr) << "PrereqCheck.exe is not beside the tests";
    for (UINT id = 1; id <= 25; ++id) {
        char buffer[512] = {};
        const int length = LoadStringA(programResources(), id, buffer, sizeof buffer);
        const char* expected = builtInString(id);
        EXPECT_EQ(std::string(buffer, length > 0 ? length : 0), expected ? expected : "") << id;
    }
}

} // namespace
} // namespace prereq
