#include "ui/win32/splash_dialog.h"

#include "base/timers.h"
#include "base/win32/handles.h"
#include "presentation/gdi_guards.h"
#include "presentation/win32/resource_bitmaps.h"
#include "presentation/win32/win32_gdi.h"
#include "res/resource.h"
#include "ui/splash_logic.h"
#include "ui/win32/window_palette.h"

namespace tessaly {
namespace {

// Posted to itself at initialisation: taken once the window is on screen.
constexpr UINT kTakeFocusMessage = WM_APP + 1;

}  // namespace

const MessageMapEntry<SplashDialog> SplashDialog::kMessageMap[] = {
    MessageEntry(WM_PAINT, &SplashDialog::OnPaint),
    MessageEntry(WM_DESTROY, &SplashDialog::OnDestroy),
    MessageEntry(WM_LBUTTONDOWN, &SplashDialog::OnLeftButtonDown),
    TimerEntry(&SplashDialog::OnTimer),
    MessageEntry(kTakeFocusMessage, &SplashDialog::OnTakeFocus),
    QueryNewPaletteEntry(&SplashDialog::OnQueryNewPalette),
    PaletteChangedEntry(&SplashDialog::OnPaletteChanged),
};

bool SplashDialog::DispatchMessageMap(WindowMessage& m) {
  return DispatchEntries(*this, kMessageMap, m);
}

SplashDialog::SplashDialog(const AppState& app) : CDialog(IDD_SPLASH), app_(app) {}

BOOL SplashDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const SplashPicture picture = ChooseSplashPicture(app_.IsRichColour(), app_.IsPaletteDevice());
  // The picture serves here only for its size: the window is exactly as
  // large as the picture, whatever the template's dialog units give.
  ScopedGdiObject bitmap(SystemGdi(), FromHandle(LoadBitmapA(ResourceInstance(),
                                                              MAKEINTRESOURCEA(picture.bitmapId))));
  int width = 0, height = 0;
  if (SystemGdi().GetBitmapSize(bitmap.get(), &width, &height)) {
    SetWindowPos(m_hWnd, nullptr, -1, -1, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  CenterWindow();
  SetTimer(m_hWnd, kSplashTimerId, kSplashTimerPeriod, nullptr);
  PostMessageA(m_hWnd, kTakeFocusMessage, 0, 0);
  return TRUE;
}

bool SplashDialog::OnPaint(WindowMessage& m) {
  ScopedPaintDc paint(m_hWnd);  // validates the window
  const SplashPicture picture = ChooseSplashPicture(app_.IsRichColour(), app_.IsPaletteDevice());
  DrawResourceBitmap(picture.bitmapId, m_hWnd, picture.paletteMode, 0, 0, 0, 0, 0, 0);
  m.result = 0;
  return true;
}

bool SplashDialog::OnDestroy(WindowMessage& m) {
  KillTimer(m_hWnd, kSplashTimerId);
  m.result = Default();
  return true;
}

bool SplashDialog::OnTimer(uintptr_t) {
  EndDialog(0);
  return true;
}

// The dialog is made the foreground window and given the focus before it is
// shown. Wine's X11 driver cannot hand the keyboard focus to a window that
// is not mapped yet, so the keys stay with whichever window had them (the
// taskbar, activated when the hidden main window was hidden). Taking the
// focus again once the window is shown sends Enter and Esc to the splash.
bool SplashDialog::OnTakeFocus(WindowMessage& m) {
  SetFocus(nullptr);
  SetFocus(m_hWnd);
  m.result = 0;
  return true;
}

// The application palette: the splash picture shares its colours.
bool SplashDialog::OnQueryNewPalette() {
  return RealiseForegroundPalette(m_hWnd, ToHandle<HPALETTE>(app_.palette));
}

bool SplashDialog::OnPaletteChanged(uintptr_t changer) {
  return RealiseBackgroundPalette(m_hWnd, ToHandle<HPALETTE>(app_.palette), changer);
}

bool SplashDialog::OnLeftButtonDown(WindowMessage& m) {
  m.result = Default();
  EndDialog(0);
  return true;
}

}  // namespace tessaly
