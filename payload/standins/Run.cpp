// Stand-in for the product's background runner: a hidden top-level window titled
// "PalvorneRun1" and a message loop that runs until WM_QUIT arrives.
#include <windows.h>

namespace {

LRESULT CALLBACK RunnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RunnerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "PalvorneRunner";
    if (!RegisterClassA(&windowClass))
        return 1;
    // Never shown: the window exists only to be found by its title.
    const HWND window =
        CreateWindowExA(0, windowClass.lpszClassName, "PalvorneRun1", WS_OVERLAPPEDWINDOW, 0, 0, 0,
                        0, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
