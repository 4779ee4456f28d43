// The quick checks of the machine, each quick and harmless: memory status,
// free space on the Windows drive, a temporary file written and read back,
// and a sane clock.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "companions/quick_check_verdict.h"

namespace companions {

CheckOutcome CheckMemory();
CheckOutcome CheckWindowsDriveSpace();
CheckOutcome CheckTemporaryFile();
CheckOutcome CheckClock();

// "yyyy-mm-dd hh:mm:ss".
std::string TimeText(const SYSTEMTIME& time);

// All checks, in the order of their bits in the fourth result word.
std::vector<CheckOutcome> RunMachineChecks();

}  // namespace companions
