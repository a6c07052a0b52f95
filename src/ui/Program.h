// The program qx770-demo from start to end.
//
// RunDemo reads the options (ProgramOptions.h), initialises the application framework, sets the
// application's title "QX770-DEMO", installs the scanner driver the options ask for (none: the
// default chain finds the bridge by its description), creates the main window from its
// description (its FormCreate opens the channel and sends the start-up parameters) and runs the
// message loop until the window is closed (its FormClose closes the channel). With --screenshot
// the window is shown (off-screen when there is no display), Measure pressed once when --measure
// asks for it, continuous measurement run to its --count with --live, the picture saved (and the
// shown profile with --csv), and the window closed as the operator would close it. The keys F5,
// F6 and Ctrl+S, --live, --count, --csv, --record and --replay are set up by LiveWindow.h.
//
// Messages for the person who started the program go to `err` ("qx770-demo: ..."), the
// screenshot's location to `out`. Exit status: 0 after a normal close or a written screenshot;
// 1 when the program cannot start (no display and no screenshot, a broken window description, a
// recording that cannot be read or written), the screenshot or the --csv file cannot be written,
// or a --live run for a screenshot did not take its --count measurements; 2 for a bad command
// line.
//
// The Qt application is created here unless one is running already (tests run the program inside
// their own; the off-screen choice for a missing display is then theirs).
#pragma once

#include <iosfwd>
#include <string_view>

namespace ui {

int RunDemo(int& argc, char** argv, std::ostream& out, std::ostream& err);

// The same with another window description in place of the compiled-in one.
int RunDemo(int& argc, char** argv, std::string_view description, std::ostream& out,
            std::ostream& err);

// Whether windows can be shown to an operator: a platform other than the off-screen ones, and on
// X11/Wayland systems a display to connect to.
bool DisplayAvailable();

}  // namespace ui
