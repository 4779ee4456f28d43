#include "ui/win32/framework_app.h"

#include <string.h>

#include "base/text.h"

namespace tessaly {

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp() {
  m_lpCmdLine = commandLine_;
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() { return g_app; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return LastQuitCode(); }

void CWinApp::SetRegistryKey(const char* company) {
  CopyText(registryKey_, company);
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine, int showCommand) {
  m_hInstance = instance != nullptr ? instance : GetModuleHandleA(nullptr);
  SetResourceInstance(m_hInstance);
  if (commandLine == nullptr) commandLine = "";
  CopyText(commandLine_, commandLine);
  m_lpCmdLine = commandLine_;
  m_nCmdShow = showCommand;

  if (InitInstance()) RunMessageLoop();
  if (m_pMainWnd != nullptr) {
    CDialog* window = m_pMainWnd;
    m_pMainWnd = nullptr;
    window->DestroyWindow();
  }
  return ExitInstance();
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
