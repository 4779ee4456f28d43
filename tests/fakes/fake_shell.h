// Shell and menus for unit tests of the tray icon: resources come from maps
// the test fills, every shell call is recorded with a copy of the record, and
// every menu call is logged in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <string.h>

#include "base/text.h"
#include "ui/tray_shell.h"

namespace tessaly {

class FakeShell : public TrayShell {
 public:
  struct Call {
    TrayOperation operation;
    TrayRecord record;
  };

  std::map<uint32_t, std::string> strings;
  std::set<uint32_t> smallIcons;     // ids that load at the small size
  std::set<uint32_t> standardIcons;  // ids that load at the standard size
  std::map<uint32_t, std::vector<uint32_t>> menus;  // id -> pop-up's item commands
  bool menuHasPopup = true;
  bool notifyResult = true;
  ScreenPoint cursor{0, 0};

  std::vector<Call> calls;        // NotifyIcon, in order
  std::vector<std::string> log;   // menu, cursor and message calls, in order
  std::multiset<IconHandle> loaded;    // every icon handed out
  std::multiset<IconHandle> released;  // every icon handed back
  IconHandle lastIcon = 0;
  std::set<MenuHandle> liveMenus;  // loaded and not yet destroyed

  size_t LoadText(uint32_t id, char* out, size_t size) override {
    auto it = strings.find(id);
    CopyText(out, size, it == strings.end() ? "" : it->second.c_str());
    return strlen(out);
  }
  // A fresh handle for every load, as the platform gives it: id * 0x10000
  // plus a running count, small icons odd, standard ones even.
  IconHandle LoadSmallIcon(uint32_t id) override { return Load(smallIcons, id, 1); }
  IconHandle LoadStandardIcon(uint32_t id) override { return Load(standardIcons, id, 0); }
  void ReleaseIcon(IconHandle icon) override { released.insert(icon); }
  bool NotifyIcon(TrayOperation operation, const TrayRecord& record) override {
    calls.push_back({operation, record});
    return notifyResult;
  }

  MenuHandle LoadMenuResource(uint32_t id) override {
    if (menus.count(id) == 0) {
      log.push_back("LoadMenu " + std::to_string(id) + " missing");
      return 0;
    }
    const MenuHandle menu = 0x1000 + id;
    liveMenus.insert(menu);
    log.push_back("LoadMenu " + std::to_string(id));
    return menu;
  }
  MenuHandle GetSubMenu(MenuHandle menu, int position) override {
    log.push_back("GetSubMenu " + std::to_string(position));
    return menuHasPopup && position == 0 ? menu + 1 : 0;
  }
  void DestroyMenu(MenuHandle menu) override {
    log.push_back("DestroyMenu");
    liveMenus.erase(menu);
  }
  void SetMenuDefaultItem(MenuHandle, int position) override {
    log.push_back("SetMenuDefaultItem " + std::to_string(position));
  }
  void CheckMenuItem(MenuHandle, uint32_t command) override {
    log.push_back("CheckMenuItem " + std::to_string(command));
  }
  uint32_t GetMenuItemId(MenuHandle popup, int position) override {
    log.push_back("GetMenuItemId " + std::to_string(position));
    const auto& items = menus.at(static_cast<uint32_t>(popup - 1 - 0x1000));
    return position < static_cast<int>(items.size()) ? items[position] : 0xFFFFFFFFu;
  }
  ScreenPoint GetCursorPos() override {
    log.push_back("GetCursorPos");
    return cursor;
  }
  void SetForegroundWindow(WindowHandle window) override {
    log.push_back("SetForegroundWindow " + std::to_string(window));
  }
  void TrackPopupMenu(MenuHandle, ScreenPoint at, WindowHandle owner) override {
    log.push_back("TrackPopupMenu " + std::to_string(at.x) + "," + std::to_string(at.y) +
                  " owner " + std::to_string(owner));
  }
  void PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                   intptr_t lParam) override {
    log.push_back(Message("PostMessage", window, message, wParam, lParam));
  }
  intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) override {
    log.push_back(Message("SendMessage", window, message, wParam, lParam));
    return 0;
  }

 private:
  IconHandle Load(const std::set<uint32_t>& ids, uint32_t id, IconHandle parity) {
    if (ids.count(id) == 0) return 0;
    count_ += 2;
    lastIcon = id * 0x10000 + count_ + parity;
    loaded.insert(lastIcon);
    return lastIcon;
  }
  IconHandle count_ = 0;
  static std::string Message(const char* what, WindowHandle window, uint32_t message,
                             uintptr_t wParam, intptr_t lParam) {
    return std::string(what) + " " + std::to_string(window) + " " + std::to_string(message) +
           " " + std::to_string(wParam) + " " + std::to_string(lParam);
  }
};

}  // namespace tessaly
