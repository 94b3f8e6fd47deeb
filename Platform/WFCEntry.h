#pragma once

// The program's start and end around the application object: refuses a
// second copy, makes the system object and the window, runs the application
// and restores what it changed. Returns the process exit code: 0 normal
// end (or the application's own non-zero result), 1 another copy is
// running, 2 start-up failed.
int WFCMain(int argc, char** argv);
