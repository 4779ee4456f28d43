// The program's command-line switches.
#pragma once

namespace tessaly {

// The command line is lowered in place, so switches match in any letter case,
// anywhere in the line (also inside a longer word).
void LowerCommandLine(char* commandLine);
bool HasSwitch(const char* loweredCommandLine, const char* name);

inline constexpr const char kNoSplashSwitch[] = "-nosplash";
inline constexpr const char kDisplaySwitch[] = "-display";

}  // namespace tessaly
