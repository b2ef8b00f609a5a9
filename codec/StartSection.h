// What Setup.exe runs before the rest of its image is unpacked lies in a section of its own
// that is never packed, the start section (".start", stub/start.ld): the entry stub and every
// function it calls. Such code calls nothing outside that section and keeps its constants there
// too; its files are compiled freestanding and without jump tables, so the compiler adds no
// calls or tables elsewhere.
#pragma once

#define SETUP_START_CODE __attribute__((section(".start$a")))
#define SETUP_START_DATA __attribute__((section(".start$r")))
