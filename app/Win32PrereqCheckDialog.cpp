// The main dialog: its construction, the showing of the three verdicts, the exchange of the
// status texts, the minimised icon and the button handlers.
#include "app/Win32PrereqCheckDialog.h"

#include "app/DocumentLauncher.h"
#include "app/PrereqCheckApp.h"
#include "app/RowDecision.h"
#include "platform/PcSnapshot.h"
#include "resources/resource.h"

namespace prereq {

namespace {

int showCommand(bool shown) {
    return shown ? SW_SHOWNORMAL : SW_HIDE;
}

std::string controlText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

} // namespace

PrereqCheckDialog::PrereqCheckDialog(HINSTANCE resources) : resources_(resources) {
    // The products have assessed themselves and written their reports by now.
    icon_ = LoadIconA(resources_, MAKEINTRESOURCEA(IDI_PREREQCHECK));
}

INT_PTR PrereqCheckDialog::run() {
    return DialogBoxParamA(resources_, MAKEINTRESOURCEA(IDD_PREREQCHECK_DIALOG), nullptr,
                           dialogProcedure, reinterpret_cast<LPARAM>(this));
}

bool PrereqCheckDialog::initialise() {
    exchangeData(Exchange::toControls);
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    showRow(plinthSetup_, IDC_DETAILS_PLINTH_SETUP, plinthSetupSatisfiedPicture_,
            plinthSetupNotSatisfiedPicture_, plinthSetupStatusText_);
    showRow(wardline_, IDC_DETAILS_WARDLINE, wardlineSatisfiedPicture_,
            wardlineNotSatisfiedPicture_, wardlineStatusText_);
    showRow(wardlineLan_, IDC_DETAILS_WARDLINE_LAN, wardlineLanSatisfiedPicture_,
            wardlineLanNotSatisfiedPicture_, wardlineLanStatusText_);
    exchangeData(Exchange::toControls);
    return true;
}

void PrereqCheckDialog::showRow(const ProductAssessment& product, int detailsButton,
                                HWND satisfiedPicture, HWND notSatisfiedPicture,
                                std::string& statusText) {
    const RowDecision row = decideRow(product.overallStatus());
    ShowWindow(GetDlgItem(window_, detailsButton), showCommand(row.detailsShown));
    ShowWindow(notSatisfiedPicture, showCommand(row.crossShown));
    ShowWindow(satisfiedPicture, showCommand(row.checkShown));
    statusText = snapshot().string(row.statusStringId);
}

void PrereqCheckDialog::exchangeData(Exchange direction) {
    if (!picturesAttached_) {
        wardlineSatisfiedPicture_ = GetDlgItem(window_, IDC_WARDLINE_SATISFIED);
        wardlineNotSatisfiedPicture_ = GetDlgItem(window_, IDC_WARDLINE_NOT_SATISFIED);
        plinthSetupSatisfiedPicture_ = GetDlgItem(window_, IDC_PLINTH_SETUP_SATISFIED);
        plinthSetupNotSatisfiedPicture_ = GetDlgItem(window_, IDC_PLINTH_SETUP_NOT_SATISFIED);
        wardlineLanSatisfiedPicture_ = GetDlgItem(window_, IDC_WARDLINE_LAN_SATISFIED);
        wardlineLanNotSatisfiedPicture_ = GetDlgItem(window_, IDC_WARDLINE_LAN_NOT_SATISFIED);
        picturesAttached_ = true;
    }
    moveText(direction, IDC_WARDLINE_LAN_STATUS, wardlineLanStatusText_);
    moveText(direction, IDC_PLINTH_SETUP_STATUS, plinthSetupStatusText_);
    moveText(direction, IDC_WARDLINE_STATUS, wardlineStatusText_);
}

void PrereqCheckDialog::moveText(Exchange direction, int control, std::string& text) {
    if (direction == Exchange::toControls)
        SetDlgItemTextA(window_, control, text.c_str());
    else
        text = controlText(GetDlgItem(window_, control));
}

void PrereqCheckDialog::paint() {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window_, &paintStruct);
    SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window_, &client);
    DrawIcon(dc, centredIconOffset(client.right - client.left, GetSystemMetrics(SM_CXICON)),
             centredIconOffset(client.bottom - client.top, GetSystemMetrics(SM_CYICON)), icon_);
    EndPaint(window_, &paintStruct);
}

void PrereqCheckDialog::onDetailsPlinthSetup() {
    plinthSetup_.openReport();
}

void PrereqCheckDialog::onDetailsWardline() {
    wardline_.openReport();
}

void PrereqCheckDialog::onDetailsWardlineLan() {
    wardlineLan_.openReport();
}

void PrereqCheckDialog::onLanHelp() {
    openDocument("plintherror.html");
}

void PrereqCheckDialog::onOk() {
    exchangeData(Exchange::fromControls);
    EndDialog(window_, IDOK);
}

void PrereqCheckDialog::onCancel() {
    EndDialog(window_, IDCANCEL);
}

// The pictures go with the window; nothing may refer to them, or to the window as the owner of
// message boxes and launched programs, once it is gone.
void PrereqCheckDialog::release() {
    PrereqCheckApp* application = currentApplication();
    if (application && application->mainWindow() == reinterpret_cast<WindowHandle>(window_))
        application->setMainWindow(0);
    wardlineSatisfiedPicture_ = wardlineNotSatisfiedPicture_ = nullptr;
    plinthSetupSatisfiedPicture_ = plinthSetupNotSatisfiedPicture_ = nullptr;
    wardlineLanSatisfiedPicture_ = wardlineLanNotSatisfiedPicture_ = nullptr;
    picturesAttached_ = false;
    window_ = nullptr;
}

INT_PTR CALLBACK PrereqCheckDialog::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<PrereqCheckDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        if (PrereqCheckApp* application = currentApplication())
            application->setMainWindow(reinterpret_cast<WindowHandle>(window));
        return dialog->initialise() ? TRUE : FALSE;
    }
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT) find no dialog yet.
    auto* dialog = reinterpret_cast<PrereqCheckDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->handle(message, wParam) : FALSE;
}

INT_PTR PrereqCheckDialog::handle(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_PAINT:
        if (!IsIconic(window_))
            return FALSE;
        paint();
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(queryDragIcon());
    case WM_DESTROY:
        release();
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            onOk();
            return TRUE;
        case IDCANCEL:
            onCancel();
            return TRUE;
        case IDC_DETAILS_PLINTH_SETUP:
            onDetailsPlinthSetup();
            return TRUE;
        case IDC_DETAILS_WARDLINE:
            onDetailsWardline();
            return TRUE;
        case IDC_DETAILS_WARDLINE_LAN:
            onDetailsWardlineLan();
            return TRUE;
        case IDC_LAN_HELP:
            onLanHelp();
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace prereq
