// A stand-in for the renderer that hangs before its window: placed as
// Orvelle.dll, it leaves a file "started" beside itself and then waits,
// opening no window, for ten minutes.
#include <windows.h>

#include <string>

#include "platform/win32_handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file.resize(file.find_last_of(L'\\') + 1);
    file += L"started";
    {
        // Made and closed: its existence is the sign.
        const orvelle::win32::UniqueKernelHandle started(
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    Sleep(600000);
    return 0;
}
