// SplashDialog: the borderless picture shown at start-up for three seconds or
// until clicked, from template IDD_SPLASH.
#pragma once

#include <windows.h>

#include "base/app_state.h"
#include "ui/win32/framework_dialog.h"

namespace tessaly {

class SplashDialog : public CDialog {
 public:
  explicit SplashDialog(const AppState& app);

 protected:
  BOOL OnInitDialog() override;
  bool DispatchMessageMap(WindowMessage& m) override;

 private:
  static const MessageMapEntry<SplashDialog> kMessageMap[];
  bool OnPaint(WindowMessage& m);
  bool OnDestroy(WindowMessage& m);
  bool OnLeftButtonDown(WindowMessage& m);
  bool OnTimer(uintptr_t timerId);
  bool OnTakeFocus(WindowMessage& m);
  bool OnQueryNewPalette();
  bool OnPaletteChanged(uintptr_t changer);

  const AppState& app_;
};

}  // namespace tessaly
