#include <windows.h>
#include <shellapi.h>

#include "app/dialogs.h"
#include "app/main_window_win32.h"
#include "resources/links.h"
#include "resources/resource_ids.h"

namespace {

WNDPROC previousLinkProc = nullptr;

struct DonatePicture {
    int bitmap;
    int control;
};

const DonatePicture DONATE_PICTURES[4] = {
    {IDB_DONATE_CODE_LEFT, IDC_DONATE_CODE_LEFT},
    {IDB_DONATE_CODE_RIGHT, IDC_DONATE_CODE_RIGHT},
    {IDB_DONATE_LABEL_LEFT, IDC_DONATE_LABEL_LEFT},
    {IDB_DONATE_LABEL_RIGHT, IDC_DONATE_LABEL_RIGHT},
};

int closesDialog(WPARAM wParam) { return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL; }

INT_PTR CALLBACK donateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            // A picture that fails to load leaves its control empty.
            for (const DonatePicture& p : DONATE_PICTURES) {
                HBITMAP bitmap = LoadBitmapA(moduleInstance, MAKEINTRESOURCEA(p.bitmap));
                if (bitmap)
                    SendDlgItemMessageA(dialog, p.control, STM_SETIMAGE, IMAGE_BITMAP,
                                        (LPARAM)bitmap);
            }
            placeOverMainWindow(dialog);
            return TRUE;
        case WM_DESTROY:
            // The controls do not own the pictures handed to them.
            for (const DonatePicture& p : DONATE_PICTURES) {
                HGDIOBJ bitmap =
                    (HGDIOBJ)SendDlgItemMessageA(dialog, p.control, STM_GETIMAGE, IMAGE_BITMAP, 0);
                if (bitmap) DeleteObject(bitmap);
            }
            return FALSE;
        case WM_COMMAND:
            if (closesDialog(wParam)) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

LRESULT CALLBACK linkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(label, &paint);
            RECT client;
            GetClientRect(label, &client);
            char text[256];
            GetWindowTextA(label, text, (int)sizeof(text));  // up to 255 characters
            HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetTextColor(dc, RGB(0, 0, 238));
            SetBkMode(dc, TRANSPARENT);
            DrawTextA(dc, text, -1, &client, DT_SINGLELINE | DT_VCENTER);
            SelectObject(dc, previousFont);
            EndPaint(label, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // the hand
            return TRUE;
        default:
            return CallWindowProcA(previousLinkProc, label, message, wParam, lParam);
    }
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            HANDLE icon = LoadImageA(moduleInstance, MAKEINTRESOURCEA(IDI_GLADEWARDEN), IMAGE_ICON,
                                     64, 64, 0);
            if (icon)
                SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
            placeOverMainWindow(dialog);
            previousLinkProc = (WNDPROC)SetWindowLongPtrA(GetDlgItem(dialog, IDC_ABOUT_LINK),
                                                          GWLP_WNDPROC, (LONG_PTR)linkLabelProc);
            return TRUE;
        }
        case WM_DESTROY: {
            HANDLE icon =
                (HANDLE)SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETIMAGE, IMAGE_ICON, 0);
            if (icon) DestroyIcon((HICON)icon);
            return FALSE;
        }
        case WM_COMMAND:
            if (closesDialog(wParam)) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_ABOUT_DONATE) {
                // Donate belongs to the main window, not to this box.
                EndDialog(dialog, 0);
                showDonateDialog();
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_ABOUT_LINK && HIWORD(wParam) == 0) {
                ShellExecuteA(dialog, "open", GLADEWARDEN_WEB_ADDRESS, nullptr, nullptr, SW_SHOW);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void showDonateDialog() {
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_DONATE), mainWindow, donateDialogProc, 0);
}

void showAboutDialog() {
    DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_ABOUT), mainWindow, aboutDialogProc, 0);
}
