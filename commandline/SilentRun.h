// A run without any window, for scripts: the change that the switches name,
// made for each target as OK in the main dialog makes it, a line of report
// for each target, and an exit status that tells how it went (EXIT_DONE,
// EXIT_SOME_FAILED, EXIT_WRONG_COMMAND_LINE, EXIT_ICON_UNUSABLE). No message
// box, no About box, and the recent icon files stay as they are.
#pragma once
#include <functional>
#include <string>
#include <vector>

// Where the report's lines go, for the console the program was started
// from.
using ReportLine = std::function<void(const std::wstring& line)>;

// `arguments` as SplitArguments gives them. A wrong command line, or an icon
// that cannot be used, writes nothing and says why; "/?" says the usage.
int RunSilently(const std::vector<std::wstring>& arguments, const ReportLine& say);
