// Window system for unit tests: records every call in order and answers from
// fields the test sets. onSend lets a test act while a message is "handled",
// as a nested message loop would.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/window_system.h"

namespace tessaly {

// The answers of a message box that the tests give besides kIdNo.
enum : int { kIdOk = 1, kIdYes = 6 };

class FakeWindowSystem : public WindowSystem {
 public:
  struct Sent {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
  };
  struct Box {
    WindowHandle owner;
    std::string text, caption;
    uint32_t style;
  };

  std::map<std::string, WindowHandle> windowsByTitle;
  std::set<std::string> mutexes;
  std::set<WindowHandle> visible;
  int messageBoxAnswer = kIdOk;
  uint32_t winExecResult = 33;

  std::vector<std::string> calls;  // every call, in order
  std::vector<Sent> sent;
  std::vector<Box> boxes;
  std::vector<std::string> executed;
  std::function<void(const Sent&)> onSend;
  std::function<void(const Box&)> onMessageBox;

  WindowHandle FindTopLevelWindow(const char* title) override {
    calls.push_back(std::string("find ") + title);
    auto it = windowsByTitle.find(title);
    return it == windowsByTitle.end() ? 0 : it->second;
  }
  bool MutexExists(const char* name) override {
    calls.push_back(std::string("mutex ") + name);
    return mutexes.count(name) != 0;
  }
  bool CreateProcessMutex(const char* name) override {
    calls.push_back(std::string("create mutex ") + name);
    return mutexes.insert(name).second;
  }
  intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) override {
    calls.push_back("send " + std::to_string(window) + " " + std::to_string(message));
    Sent s{window, message, wParam, lParam};
    sent.push_back(s);
    if (onSend) onSend(s);
    return 0;
  }
  void ShowWindow(WindowHandle window, int command) override {
    calls.push_back("show " + std::to_string(window) + " " + std::to_string(command));
    if (command == kSwHide) visible.erase(window); else visible.insert(window);
  }
  void BringWindowToTop(WindowHandle window) override {
    calls.push_back("top " + std::to_string(window));
  }
  void SetForegroundWindow(WindowHandle window) override {
    calls.push_back("foreground " + std::to_string(window));
  }
  bool IsWindowVisible(WindowHandle window) override { return visible.count(window) != 0; }
  void KillTimer(WindowHandle window, uintptr_t id) override {
    calls.push_back("killtimer " + std::to_string(window) + " " + std::to_string(id));
  }
  int MessageBox(WindowHandle owner, const char* text, const char* caption,
                 uint32_t style) override {
    calls.push_back(std::string("messagebox ") + text);
    Box b{owner, text, caption, style};
    boxes.push_back(b);
    if (onMessageBox) onMessageBox(b);
    return messageBoxAnswer;
  }
  uint32_t WinExec(const char* commandLine, int show) override {
    calls.push_back(std::string("winexec ") + commandLine + " " + std::to_string(show));
    executed.push_back(commandLine);
    return winExecResult;
  }
};

}  // namespace tessaly
