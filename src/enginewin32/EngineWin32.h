// The engine's side of Windows without Qt: its command message and where it is
// installed. The Qt layer (engine/LocalEngineChannel, the engine settings) calls this;
// it is built for Windows only.
#pragma once

#include <filesystem>
#include <string>

namespace sw::win32 {

// The engine's top-level window: class "#32770", title "Veneerix".
inline constexpr const wchar_t* kEngineWindowClass = L"#32770";
inline constexpr const wchar_t* kEngineWindowTitle = L"Veneerix";

// The command codes the programs send.
inline constexpr int kReloadCommand = 8889;  // also what applying a personality sends
inline constexpr int kShutDownCommand = 8888;

// Sends `code` (wParam; lParam 0) as the window message registered under
// `messageName` ("VXHook2") to the engine's window, waiting at most timeoutMs for a
// hung engine. Returns whether a window was there and took the message; with no engine
// running it does nothing.
bool sendEngineCommand(const std::wstring& messageName, int code, unsigned timeoutMs);

// The engine folder: value Path of the key Software\Corvane\Veneerix\VX5.ini\Installed
// under the current user, else the user's documents folder (value Personal of the
// key ...\Explorer\Shell Folders), else empty.
std::filesystem::path engineFolderFromRegistry();

}  // namespace sw::win32
