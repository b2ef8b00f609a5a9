// Loads the DLL named on its command line the ordinary way, without any search
// restrictions: shows that a planted DLL would be picked up in this folder.
#include <windows.h>

int main(int argc, char** argv) {
    return argc > 1 && LoadLibraryA(argv[1]) ? 0 : 1;
}
