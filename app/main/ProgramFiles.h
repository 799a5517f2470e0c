// Where the program finds the files that come with it (the resource file of pictures and the
// user guide). In the build tree they sit beside the program. An install puts the program into
// the package's private folder (lib/z9rt-configurator) and these files, which are the same on
// every machine, into its data folder (share/z9rt-configurator).
#pragma once

#include <QString>

// The first of `programDir`/`fileName` and the data folder's `fileName` that exists; the one
// beside the program when neither does, so that a message names where it was looked for.
QString ProgramFileIn(const QString& programDir, const QString& fileName);

// The same for the running program.
QString ProgramFile(const QString& fileName);
