// "/defaire": the newest change of the history taken back without any
// window, a line of report for each target it changed, and the exit status
// of a silent run: EXIT_SOME_FAILED when a target could not be given back.
#pragma once
#include "commandline/Report.h"
#include "commandline/SilentRun.h"

int UndoSilently(const ReportLine& say, const Journal& journal);
