#include "app/command_line.h"

#include <ctype.h>
#include <string.h>

namespace tessaly {

void LowerCommandLine(char* commandLine) {
  for (char* p = commandLine; *p != '\0'; ++p)
    *p = static_cast<char>(tolower(static_cast<unsigned char>(*p)));
}

bool HasSwitch(const char* loweredCommandLine, const char* name) {
  return strstr(loweredCommandLine, name) != nullptr;
}

}  // namespace tessaly
