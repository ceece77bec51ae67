#pragma once

#include <QString>

// Figures that need a process of their own: start-up from cold, and peak resident size.
// The benchmark runs itself again with "--probe <name>"; the child prints one line of
// numbers and exits.
namespace ProcessProbe {

constexpr const char *Flag = "--probe";

// Child side: builds the named window, does the probe's work, prints its figures.
int run(const QString &probe, int argc, char **argv);

struct StartUp
{
    double windowMs = 0;    // constructing and showing the window until its first paint
    double constructMs = 0; // of that, constructing it
    double processMs = 0;   // from launching the process until that paint
};
struct Ratios
{
    double process = 0; // launching until the first paint: what the engineer waits for
    double window = 0;  // constructing and showing until the first paint
};
// Parent side: medians over `runs` fresh processes of each kind, run alternately so that a
// change in the machine's load falls on both alike. Returns the medians of the ratios of
// main window to bare window, each pair taken one right after the other: the machine's pace
// drifts by a third over a run, and both windows of a pair drift together.
Ratios startUp(int runs, StartUp *bare, StartUp *mainWindow);

// What a memory probe's window shows: nothing (a bare QMainWindow); the KZR-1 page alone in a
// bare QMainWindow, styled as the program styles it, which is less than the program shows with
// any page open; or ORVA2 with every page opened offline.
enum class Shown
{
    Nothing,
    OnePage,
    EveryPage
};

// Parent side: peak resident size in MiB of a fresh process.
double peakResidentMiB(Shown shown);

} // namespace ProcessProbe
