#include "app/win32/tessaly_app.h"

#include <string.h>

#include "actions/backup.h"
#include "actions/launcher.h"
#include "actions/quick_check.h"
#include "app/install_folder.h"
#include "app/settings_store.h"
#include "base/paths.h"
#include "base/win32/handles.h"
#include "presentation/win32/resource_bitmaps.h"
#include "ui/win32/tessaly_dialog.h"

namespace tessaly {

// The version record in the form Windows 95 knows: 148 bytes, ending in a
// 128-byte text; the system tells the form by the size.
constexpr DWORD kOsVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kOsVersionInfoSize, "the Windows 95 version record");

TessalyApp* TessalyApp::instance_ = nullptr;

TessalyApp::TessalyApp()
    : installFolder_(registry_, files_),
      actions_{state, files_, profile_, clock_, windows_, companions_, installFolder_},
      scheduler_(state, idleClock_, clock_, profile_, windows_, *this),
      startup_{state,  *this,          windows_,    profile_,  registry_,
               files_, installFolder_, companions_, idleClock_} {
  instance_ = this;
}

TessalyApp::~TessalyApp() {
  DestroySplash();
  if (instance_ == this) instance_ = nullptr;
}

BOOL TessalyApp::InitInstance() { return RunInitInstance(startup_) ? TRUE : FALSE; }

int TessalyApp::ExitInstance() {
  RunExitInstance(startup_);
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

uint32_t TessalyApp::GetNTVersion() {
  OSVERSIONINFOA info;
  memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = kOsVersionInfoSize;
  OsVersionInfo answer{};
  answer.ok = GetVersionExA(&info) != FALSE;
  answer.platformId = info.dwPlatformId;
  answer.major = info.dwMajorVersion;
  answer.minor = info.dwMinorVersion;
  return NtVersionFrom(answer);
}

char* TessalyApp::CommandLine() {
  static char empty[1] = "";
  return m_lpCmdLine != nullptr ? m_lpCmdLine : empty;
}

void TessalyApp::GetInstallDirectory(char* out, size_t size) {
  installFolder_.Lookup(out, size);
}

void TessalyApp::ProbeDisplay() {
  ReadDisplayAttributes(state.display.bitsPerPixel, state.display.paletteDevice,
                        state.display.largeFonts);
}

void TessalyApp::BuildPalette() {
  state.palette = BuildApplicationPalette(state.IsPaletteDevice());
}

void TessalyApp::CreateMainWindow() {
  // The object deletes itself once its window is gone.
  TessalyDialog* window = new TessalyDialog(state, *this, companions_, clock_);
  if (window->GetSafeHwnd() == nullptr) {
    delete window;
    return;
  }
  m_pMainWnd = window;
  state.mainWindow = FromHandle(window->GetSafeHwnd());
}

void TessalyApp::SetMainWindowTimer(uintptr_t id, uint32_t period) {
  HWND window = MainWindowHandle();
  if (window != nullptr) SetTimer(window, id, period, TessalyTimerProc);
}

void TessalyApp::RunSplash() {
  if (splash_ != nullptr) splash_->DoModal();
}

void TessalyApp::RunModalLoop() {
  if (m_pMainWnd != nullptr) m_pMainWnd->RunModalLoop(kMlfNoIdleMsg);
}

void TessalyApp::SaveSettings() { WriteSettings(state, registry_); }

bool TessalyApp::BackupSystemFiles(bool confirm) {
  return RunSystemFileBackup(actions_, confirm ? 1 : 0);
}

void TessalyApp::LaunchVantor(const char* arguments) { ShowOrStartVantor(actions_, arguments); }

void TessalyApp::RunQuickCheck() { PerformQuickCheck(actions_); }

}  // namespace tessaly
