#include "app/single_instance.h"

#include "base/names.h"

namespace tessaly {

bool IsFirstInstance(WindowSystem& windows) {
  if (windows.CreateProcessMutex(kInstanceMutex)) return true;
  // The running instance creates its main window only after the companions,
  // the settings and the palette: a start in that gap finds no window.
  const WindowHandle running = windows.FindTopLevelWindow(kAppCaption);
  if (running != 0) {
    windows.ShowWindow(running, kSwShowNormal);
    windows.BringWindowToTop(running);
    windows.SetForegroundWindow(running);
  }
  return false;
}

}  // namespace tessaly
