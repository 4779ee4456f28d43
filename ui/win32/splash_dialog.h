// SplashDialog: the borderless picture shown at start-up for three seconds or
// until clicked, from template 145.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "ui/win32/framework_dialog.h"

namespace tessaly {

class SplashDialog : public CDialog {
 public:
  explicit SplashDialog(const AppState& app);

 protected:
  BOOL OnInitDialog() override;
  bool DispatchMessageMap(WindowMessage& m) override;
  bool OnTimer(UINT_PTR id) override;

 private:
  static const MessageMapEntry<SplashDialog> kMessageMap[];
  bool OnPaint(WindowMessage& m);
  bool OnDestroy(WindowMessage& m);
  bool OnLeftButtonDown(WindowMessage& m);
  bool OnTakeFocus(WindowMessage& m);

  const AppState& app_;
};

}  // namespace tessaly
