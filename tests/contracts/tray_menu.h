// The tray menu as the user sees it, top to bottom: each item's command and
// text, a separator where the text is null. The resource test reads the menu
// resource against it; the tray tests expect the menu they open to hold these
// commands in this order. Shared by the native and the Wine tests.
#pragma once

#include <stdint.h>

#include <vector>

#include "res/resource.h"

namespace tessaly {

struct TrayMenuItem {
  uint32_t id;       // 0 for a separator
  const char* text;  // null for a separator
};

constexpr TrayMenuItem kTrayMenu[] = {
    {ID_TRAY_SHOW, "&Show Tessaly"},
    {ID_TRAY_DISABLE, "&Disable Tessaly"},
    {0, nullptr},
    {ID_TRAY_BACKUP_NOW, "&Backup System Files Now"},
    {0, nullptr},
    {ID_TRAY_LAUNCH_VANTOR, "Launch &Vantor"},
    {ID_TRAY_UNLOAD, "&Unload Vantor Tessaly"},
};

// The menu's commands in order, 0 for each separator.
inline std::vector<uint32_t> TrayMenuCommands() {
  std::vector<uint32_t> ids;
  for (const TrayMenuItem& item : kTrayMenu) ids.push_back(item.id);
  return ids;
}

}  // namespace tessaly
