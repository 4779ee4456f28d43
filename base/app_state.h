// The state of the one application object: the settings, the display
// attributes and the program-wide flags. The Win32 application object owns one
// of these; the logic and its tests work on it directly.
#pragma once

#include <stdint.h>

#include "base/platform.h"
#include "base/text.h"

namespace tessaly {

// The persisted settings (the first eight fields are cleared together at the
// start of every load) and two in-memory values.
struct TessalySettings {
  int32_t disabled;          // "Disabled": the idle actions are off
  int32_t idle;              // "Idle": index into the threshold table (0..5)
  int32_t backup;            // "Backup"
  int32_t quickCheck;        // "QuickCheck"
  int32_t maxOnce;           // "MaxOnce": at most one idle run per day
  Time32 lastTime;           // "LastTime": last run, 0 = never
  int32_t quickCheckStatus;  // light index of the last quick check, not stored
  char saveDir[kPathSize];   // "SaveDir": folder of the backup sets
  char reportPath[kPathSize];  // quick-check report, derived at every load
};

// Display attributes, probed once at start-up.
struct DisplayAttributes {
  int32_t bitsPerPixel;  // bits per pixel times planes
  int32_t paletteDevice;  // exactly 8 bits per pixel
  int32_t largeFonts;     // more than 96 dots per inch
};

struct AppState {
  TessalySettings settings{};
  DisplayAttributes display{};
  uintptr_t palette = 0;        // application palette (HPALETTE) or 0
  WindowHandle mainWindow = 0;  // main window, 0 until start-up creates it
  int32_t startupTicks = 0;     // start-up timer ticks handled
  int32_t idleBusy = 0;         // an idle poll is running
  int32_t backupBusy = 0;       // a backup is in progress
  int32_t quickCheckBusy = 0;   // a quick check is in progress
  int32_t snapshotBusy = 0;     // the snapshot command runs its own windows
  const char* commandLine = ""; // lowered command line (owned by the caller)

  bool IsLargeFonts() const { return display.largeFonts != 0; }
  bool IsPaletteDevice() const { return display.paletteDevice != 0; }
  bool IsRichColour() const { return display.bitsPerPixel > 7; }
};

}  // namespace tessaly
