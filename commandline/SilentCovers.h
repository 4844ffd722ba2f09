// The covers of whole collections from a script: each target named on the
// command line is a root whose folders get their own covers.
#pragma once
#include "commandline/Report.h"
#include "commandline/SilentRun.h"
#include "commandline/Switches.h"

// A line for each folder given its cover or failed, then the counts; the
// silent run's exit status.
int RunCoversSilently(const SilentRequest& request, const ReportLine& say, const Journal& journal);
