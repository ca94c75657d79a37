#pragma once
// The main window's layout built in a child process (from a PageFolder) on
// a private board, and what it reports: one line per state, after the
// build and after each step of ZXT_ARGUMENT (comma-separated):
//   show, collapse, middle, large   the layout's own operations
//   tab<i>                          a click on tab i
//   preview<i>                      a click on preview button i
//   unlock<w>                       WM_USER+39 with wParam w to the main window
//   link                            a click on the graphics page's link box
//
// The report's lines (space-separated fields):
//   pages=<kinds> tabs=<left:visible,...>
//   main=<left,top ...>
//   group<n>=<type> <left,top ...>
//   ratio=<left,top,visible ...> previews=<visible ...> buttons=<left,top ...>
//   gpu=<left,top,enabled ...>
//   state size=<0|1|2> client=<w>x<h> shadow=<w>x<h> buttons=<apply top>,<undo top> expanded=<0|1> ...
//   outside=<controls that leave the large window>
//   texts=<what hides or clips a scroll bar's name, value, BIOS value or unit>

namespace pagetest {

// Where the report's state line starts.
constexpr char kStatePrefix[] = "state ";

}  // namespace pagetest
