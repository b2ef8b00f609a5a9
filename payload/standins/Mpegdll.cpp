// Stand-in for the product's audio-playback library: a DLL that loads and does nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
