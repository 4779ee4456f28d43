#include "app/win32/tessaly_app.h"

#include <string.h>

#include "Pellix.h"
#include "actions/backup.h"
#include "actions/launcher.h"
#include "actions/quick_check.h"
#include "app/paths.h"
#include "app/settings_store.h"
#include "presentation/locale_formats.h"
#include "presentation/win32/resource_bitmaps.h"
#include "ui/win32/tessaly_dialog.h"

namespace tessaly {

TessalyApp* TessalyApp::instance_ = nullptr;

TessalyApp::TessalyApp()
    : actions_{state, files_, profile_, clock_, windows_, companions_, this},
      scheduler_(state, idleClock_, clock_, profile_, windows_, *this) {
  instance_ = this;
}

TessalyApp::~TessalyApp() {
  DestroySplash();
  if (instance_ == this) instance_ = nullptr;
}

BOOL TessalyApp::InitInstance() { return RunInitInstance(*this) ? TRUE : FALSE; }

int TessalyApp::ExitInstance() {
  RunExitInstance(*this);
  state.mainWindow = 0;
  return CWinApp::ExitInstance();
}

void CALLBACK TessalyApp::TessalyTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (instance_ != nullptr) instance_->scheduler_.OnTimer(id);
}

HWND TessalyApp::MainWindowHandle() const {
  return m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
}

void TessalyApp::ConstructSplash() {
  DestroySplash();
  splash_ = new SplashDialog(state);
}

void TessalyApp::DestroySplash() {
  delete splash_;
  splash_ = nullptr;
}

void TessalyApp::Enable3dControls() { CWinApp::Enable3dControls(); }

uint32_t TessalyApp::GetNTVersion() {
  OSVERSIONINFOA info;
  memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  OsVersionInfo answer{};
  answer.ok = GetVersionExA(&info) != FALSE;
  answer.platformId = info.dwPlatformId;
  answer.major = info.dwMajorVersion;
  answer.minor = info.dwMinorVersion;
  return NtVersionFrom(answer);
}

void TessalyApp::ShowRefusal(const char* text, const char* caption, uint32_t style) {
  MessageBoxA(nullptr, text, caption, style);
}

bool TessalyApp::IsFirstInstance() { return tessaly::IsFirstInstance(windows_); }

char* TessalyApp::CommandLine() {
  static char empty[1] = "";
  char* line = m_lpCmdLine != nullptr ? m_lpCmdLine : empty;
  state.commandLine = line;
  return line;
}

void TessalyApp::SetRegistryKey(const char* company) { CWinApp::SetRegistryKey(company); }

void TessalyApp::SetApplicationNames(const char* company, const char* product) {
  tessaly::SetApplicationNames(company, product);
}

void TessalyApp::LoadLocaleFormats() { tessaly::LoadLocaleFormats(profile_); }

void TessalyApp::GetInstallDirectory(char* out, size_t size) {
  tessaly::GetInstallDirectory(registry_, files_, out, size);
}

void TessalyApp::InitializeTools(const char* company, const char* product, const char* folder) {
  companions_.InitializeTools(company, product, folder);
}

void TessalyApp::InitializeTests(const char* company, const char* product, const char* folder) {
  companions_.InitializeTests(company, product, folder);
}

void TessalyApp::LoadSettings() { tessaly::LoadSettings(state, registry_, files_); }

void TessalyApp::ProbeDisplay() {
  tessaly::ProbeDisplay(state.display.bitsPerPixel, state.display.paletteDevice,
                        state.display.largeFonts);
}

void TessalyApp::BuildPalette() { tessaly::BuildPalette(state); }

void TessalyApp::CreateMainWindow() {
  // The object deletes itself once its window is gone.
  TessalyDialog* window = new TessalyDialog(state, *this, companions_, clock_);
  if (window->GetSafeHwnd() == nullptr) {
    delete window;
    return;
  }
  m_pMainWnd = window;
  state.mainWindow = reinterpret_cast<WindowHandle>(window->GetSafeHwnd());
}

void TessalyApp::HookInstall(int32_t install) { ::HookInstall(install); }

void TessalyApp::HookResetTimer() { ::HookResetTimer(); }

void TessalyApp::SetMainWindowTimer(uintptr_t id, uint32_t period) {
  HWND window = MainWindowHandle();
  if (window != nullptr) SetTimer(window, id, period, TessalyTimerProc);
}

void TessalyApp::KillMainWindowTimer(uintptr_t id) {
  HWND window = MainWindowHandle();
  if (window != nullptr) KillTimer(window, id);
}

void TessalyApp::ShowMainWindow(int command) {
  HWND window = MainWindowHandle();
  if (window != nullptr) ShowWindow(window, command);
}

void TessalyApp::RunSplash() {
  if (splash_ != nullptr) splash_->DoModal();
}

void TessalyApp::RunModalLoop() {
  if (m_pMainWnd != nullptr) m_pMainWnd->RunModalLoop(kMlfNoIdleMsg);
}

void TessalyApp::SaveSettings() { tessaly::SaveSettings(state, registry_); }

bool TessalyApp::BackupSystemFiles(bool confirm) {
  return tessaly::BackupSystemFiles(actions_, confirm ? 1 : 0);
}

void TessalyApp::LaunchVantor(const char* arguments) { tessaly::LaunchVantor(actions_, arguments); }

void TessalyApp::RunQuickCheck() { tessaly::RunQuickCheck(actions_); }

}  // namespace tessaly
