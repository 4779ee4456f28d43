#include "actions/launcher.h"

#include "base/paths.h"
#include "base/messages.h"
#include "base/names.h"
#include "base/text.h"

namespace tessaly {
namespace {

const char kVantorMutex[] = "Vantor Is Running";
const char kVantorTitle[] = "Vantor";
const char kVantorProgram[] = "Vantor.Exe";
// Quoted program path (kPathSize - 1 characters), a blank and the argument text.
constexpr size_t kCommandLineSize = 2 * kPathSize;

void ShowError(ActionContext& context, const char* text) {
  context.windows.MessageBox(context.app.mainWindow, text, kAppCaption,
                             kMbIconInformation | kMbOk);
}

// Fills program with folder\Vantor.Exe when something exists under it.
bool ProgramIn(FileSystem& files, const char* folder, char (&program)[kPathSize]) {
  return JoinPath(program, folder, kVantorProgram) && files.Exists(program);
}

// Starts the program; false (after the message) when it is nowhere or
// cannot be run.
bool StartVantor(ActionContext& context, const char* arguments) {
  char folder[kPathSize] = "";
  context.installFolder.Lookup(folder, sizeof folder);
  char program[kPathSize];
  if (!ProgramIn(context.files, folder, program)) {
    ModuleFolder(context.files, folder, sizeof folder);
    if (!ProgramIn(context.files, folder, program)) {
      ShowError(context, "Error - Couldn't locate Vantor.Exe");
      return false;
    }
  }

  ChangeDriveAndDirectory(context.files, folder);

  // The path is quoted: a folder with blanks ("C:\Program Files\...") must
  // not be split into another program and arguments.
  char commandLine[kCommandLineSize];
  if (!FormatText(commandLine, sizeof commandLine, "\"%s\" %s", program, arguments) ||
      context.windows.WinExec(commandLine, kSwShowNormal) < 32) {
    ShowError(context, "Error - Couldn't run Vantor.Exe");
    return false;
  }
  return true;
}

}  // namespace

WindowHandle FindRunningVantor(ActionContext& context) {
  if (!context.windows.MutexExists(kVantorMutex)) return 0;
  return context.windows.FindTopLevelWindow(kVantorTitle);
}

void ShowOrStartVantor(ActionContext& context, const char* arguments) {
  if (!arguments) arguments = "";
  const WindowHandle vantor = FindRunningVantor(context);
  if (vantor) {
    context.windows.ShowWindow(vantor, kSwShowNormal);
    context.windows.BringWindowToTop(vantor);
    context.windows.SetForegroundWindow(vantor);
    if (arguments[0] != '\0') context.windows.SendMessage(vantor, kMsgVantorShow, 0, 0);
  } else if (!StartVantor(context, arguments)) {
    return;
  }

  const WindowHandle own = context.app.mainWindow;
  if (own && context.windows.IsWindowVisible(own)) context.windows.ShowWindow(own, kSwHide);
}

}  // namespace tessaly
