// Listens as the engine does on Windows, for tests: a top-level window of class
// "#32770" titled "Veneerix" that takes the registered message "VXHook2" (or the name
// given second) and appends each command code it receives, one line each, to the file
// given first. Ends at the shut-down code, or after a minute.
//   engine-standin-win.exe RECORD-FILE [MESSAGE-NAME]
#include "enginewin32/EngineWin32.h"

#include <cstdio>
#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

UINT commandMessage = 0;
std::FILE* record = nullptr;
WNDPROC dialogProcedure = nullptr;

LRESULT CALLBACK engineProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == commandMessage && commandMessage != 0) {
        std::fprintf(record, "%d\n", int(wParam));
        std::fflush(record);
        if (int(wParam) == sw::win32::kShutDownCommand)
            ::PostQuitMessage(0);
        return 0;
    }
    return ::CallWindowProcW(dialogProcedure, window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: engine-standin-win RECORD-FILE [MESSAGE-NAME]\n");
        return 2;
    }
    record = ::_wfopen(argv[1], L"ab");
    if (!record) {
        std::fprintf(stderr, "engine-standin-win: cannot open the record file\n");
        return 2;
    }
    commandMessage = ::RegisterWindowMessageW(argc > 2 ? argv[2] : L"VXHook2");
    HWND window = ::CreateWindowExW(0, sw::win32::kEngineWindowClass, sw::win32::kEngineWindowTitle, WS_OVERLAPPED, 0, 0,
                                    100, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        std::fprintf(stderr, "engine-standin-win: cannot create the window (no display?)\n");
        return 1;
    }
    dialogProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(engineProcedure)));
    ::SetTimer(window, 1, 60000, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == window)
            break;
        ::DispatchMessageW(&message);
    }
    std::fclose(record);
    return 0;
}
