// The program's start-up sequence, run by main().
#pragma once

// Runs the start-up steps and the program; returns the process exit code.
int RunBrimlow(int argc, char** argv);
