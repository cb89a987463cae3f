// PrereqCheckDialog: the program's one window, the modal dialog of template 102 with a row per
// product (Plinth-Setup, Wardline direct connect, Wardline LAN). Constructing it assesses the
// three products, which write their reports; the dialog then shows each verdict as a check mark
// or as a cross with a Details button that opens the report. Windows build only.
#pragma once

#include "report/ProductAssessment.h"

#include <windows.h>

#include <string>

namespace prereq {

class PrereqCheckDialog {
public:
    enum class Exchange { toControls, fromControls };

    // Builds the members in declaration order: the products assess themselves (and write their
    // reports) after the status strings and before the icon is loaded. resources is the module
    // that holds the dialog template, its bitmaps and the icon.
    explicit PrereqCheckDialog(HINSTANCE resources);
    PrereqCheckDialog(const PrereqCheckDialog&) = delete;
    PrereqCheckDialog& operator=(const PrereqCheckDialog&) = delete;

    // Runs the dialog modally with no parent window. Returns IDOK or IDCANCEL, or -1 when the
    // dialog could not be created. While it runs, the dialog is the application's main window.
    INT_PTR run();

    // The message handlers. initialise shows the verdicts and returns true so the focus goes
    // to the first tab stop, the OK button.
    bool initialise();
    // Attaches the pictures (on the first call) and moves the three status strings to or from
    // their text controls.
    void exchangeData(Exchange direction);
    // Draws the icon centred in the minimised window.
    void paint();
    HICON queryDragIcon() const { return icon_; }
    void onDetailsPlinthSetup();
    void onDetailsWardline();
    void onDetailsWardlineLan();
    void onLanHelp();
    // Moves the status texts back from the controls and ends the dialog with IDOK.
    void onOk();
    // Ends the dialog with IDCANCEL (Esc, the close box, Close on the system menu).
    void onCancel();

private:
    // The tests look at what the user no longer sees once the dialog is gone: the window it
    // ran in, the status texts that OK took back, a report's name after it was opened.
    friend class PrereqCheckDialogTest;

    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam);
    void showRow(const ProductAssessment& product, int detailsButton, HWND satisfiedPicture,
                 HWND notSatisfiedPicture, std::string& statusText);
    void moveText(Exchange direction, int control, std::string& text);
    void release();

    HINSTANCE resources_;
    HWND window_ = nullptr;
    bool picturesAttached_ = false;

    HWND wardlineSatisfiedPicture_ = nullptr;
    HWND wardlineNotSatisfiedPicture_ = nullptr;
    HWND plinthSetupSatisfiedPicture_ = nullptr;
    HWND plinthSetupNotSatisfiedPicture_ = nullptr;
    HWND wardlineLanSatisfiedPicture_ = nullptr;
    HWND wardlineLanNotSatisfiedPicture_ = nullptr;
    std::string plinthSetupStatusText_;
    std::string wardlineStatusText_;
    std::string wardlineLanStatusText_;
    HICON icon_ = nullptr; // shared with the module: never destroyed
    PlinthSetupProduct plinthSetup_;
    WardlineProduct wardline_;
    WardlineLanProduct wardlineLan_;
};

} // namespace prereq
