#include "ui/win32/framework_app.h"


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

int CWinApp::ExitInstance() { return LastQuitCode(); }

int CWinApp::Run(HINSTANCE instance, const char* commandLine) {
  m_hInstance = instance != nullptr ? instance : GetModuleHandleA(nullptr);
  SetResourceInstance(m_hInstance);
  if (commandLine == nullptr) commandLine = "";
  CopyText(commandLine_, commandLine);
  m_lpCmdLine = commandLine_;

  InitInstance();
  if (m_pMainWnd != nullptr) {
    CDialog* window = m_pMainWnd;
    m_pMainWnd = nullptr;
    window->DestroyWindow();
  }
  return ExitInstance();
}

int RunApplication(HINSTANCE instance, const char* commandLine) {
  CWinApp* app = CWinApp::Current();
  return app != nullptr ? app->Run(instance, commandLine) : -1;
}

}  // namespace tessaly
