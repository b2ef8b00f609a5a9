// What the program's own runtime provides beyond the C and C++ ABI functions it defines (exit,
// atexit, the heap, memory and string functions, the exception memory and the unwinder), and
// the one function it asks of the program linked with it.
#pragma once

extern "C" {

// The entry point the image starts at: the static constructors, WinMain, then exit with what
// WinMain returned.
[[noreturn]] void WinMainCRTStartup();

// abort (a terminate, or the unwinder unable to go on) ends the program with exit code 3 and
// runs no destructors, but first calls this once: the program's word to the user that it
// cannot go on. Defined by the program. It must not use the heap (what ran out may be the
// heap) and must not throw. A message loop in it keeps the program's timers running: an abort
// from one of them ends the program at once.
void SetupTellTermination() noexcept;

} // extern "C"
