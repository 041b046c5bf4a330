// lotwise-cli print --db DB TABLE [--round R] [--sort TEXT] [--filter TEXT] [--portrait] [--margins L,T,R,B]
//                   [--row-break N]... [--col-break N]... --pdf OUT.pdf
// The rows a data window would show of TABLE (cli/ShownStatement.h) printed to a PDF with the desktop program's
// page layout (print/GridPageLayout.h): Letter paper, landscape unless --portrait, margins in inches (left, top,
// right, bottom; half an inch each by default), the rows and columns that start a page numbered from 1 as the
// grid numbers them. Column widths are measured from the headings and the first rows. Needs a QGuiApplication
// (main() makes one, offscreen when no display is named).
#pragma once

#include "cli/Commands.h"

namespace cli {

int printCommand(const Options &options, Streams io);

}  // namespace cli
