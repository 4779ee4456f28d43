#include "ui/win32/framework_app.h"

#include <string.h>

namespace tessaly {

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName) : appName_(appName != nullptr ? appName : "") {
  commandLine_.assign(1, '\0');
  m_lpCmdLine = commandLine_.data();
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() { return g_app; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return LastQuitCode(); }

void CWinApp::SetRegistryKey(const char* company) {
  registryKey_ = company != nullptr ? company : "";
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine, int showCommand) {
  m_hInstance = instance != nullptr ? instance : GetModuleHandleA(nullptr);
  SetResourceInstance(m_hInstance);
  if (commandLine == nullptr) commandLine = "";
  commandLine_.assign(commandLine, commandLine + strlen(commandLine) + 1);
  m_lpCmdLine = commandLine_.data();
  m_nCmdShow = showCommand;

  BOOL started = FALSE;
  try {
    started = InitInstance();
  } catch (...) {
    started = FALSE;
  }
  if (started) RunMessageLoop();
  if (m_pMainWnd != nullptr) {
    CDialog* window = m_pMainWnd;
    m_pMainWnd = nullptr;
    try {
      window->DestroyWindow();
    } catch (...) {
    }
  }
  try {
    return ExitInstance();
  } catch (...) {
    return -1;
  }
}

// The application's own loop, for an InitInstance that returns TRUE.
void CWinApp::RunMessageLoop() {
  while (m_pMainWnd != nullptr && PumpMessage(m_pMainWnd->GetSafeHwnd())) {
  }
}

int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand) {
  CWinApp* app = CWinApp::Current();
  return app != nullptr ? app->Run(instance, commandLine, showCommand) : -1;
}

}  // namespace tessaly
