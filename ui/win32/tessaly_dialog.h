// TessalyDialog: the program's main window, a modeless dialog from template
// IDD_TESSALY_DIALOG. It draws its background picture and status light, keeps the tray icon,
// and hands every setting, command and private message to the
// MainWindowController, for which it is the view: its message map lists the
// messages, the controller's command table (MainWindowController::kCommands)
// the commands. The object lives on the
// heap and deletes itself after its window is gone.
#pragma once

#include <windows.h>

#include "actions/companions.h"
#include "base/app_state.h"
#include "presentation/gdi_guards.h"
#include "presentation/transparent_bitmap.h"
#include "ui/main_window_controller.h"
#include "ui/tray_icon.h"
#include "ui/win32/framework_bitmap_button.h"
#include "ui/win32/framework_dialog.h"
#include "ui/win32/tray_shell.h"

namespace tessaly {

class TessalyDialog : public CDialog, private MainWindowView {
 public:
  // Creates the window (not visible) with `parent` as its parent.
  TessalyDialog(AppState& app, MainWindowServices& services, Companions& companions,
                Clock& clock, HWND parent = nullptr);
  ~TessalyDialog() override;

  BOOL DestroyWindow() override;

 protected:
  BOOL OnInitDialog() override;
  bool DispatchMessageMap(WindowMessage& m) override;
  void PostNcDestroy() override;

 private:
  static const MessageMapEntry<TessalyDialog> kMessageMap[];

  // Message handlers.
  bool OnCommand(uint32_t id, uint32_t code);
  bool OnDrawItem(const DRAWITEMSTRUCT& item);
  bool OnTrayCallback(WindowMessage& m);
  bool OnStampLastRunMessage(WindowMessage& m);
  void OnQuickCheckStatus(uintptr_t status);
  intptr_t OnEraseBackground(GdiDc dc);
  uintptr_t OnControlColour(GdiDc dc, uint32_t controlType);
  bool OnPaint(WindowMessage& m);
  void OnSize(uint32_t sizeType);
  uintptr_t OnQueryDragIcon();
  bool OnQueryNewPalette();
  bool OnPaletteChanged(uintptr_t changer);

  // Initialisation steps.
  void FillFromInitData();
  void SizeToBackground(int width, int height);
  void FitControlsToPicture(int width, int height);
  void FitFontToLayout(double targetAverageWidth);

  // Client rectangle of a control.
  RECT ControlRect(int id) const;
  // Copies the background behind `r` onto the window.
  void CopyBackground(const RECT& r);

  // MainWindowView.
  bool IsControlEnabled(int id) override;
  void EnableControl(int id, bool enable) override;
  bool IsButtonChecked(int id) override;
  void CheckButton(int id, bool checked) override;
  int ComboCount(int id) override;
  int ComboSelection(int id) override;
  void SetComboSelection(int id, int index) override;
  void LoadStatusBitmaps() override;
  void RepaintControlBackground(int id) override;
  void SetTextOverBackground(int id, const char* text) override;
  void ShowWindow(int command) override;
  void SetForeground() override;
  void RedrawLight() override;
  void PostQuit() override;
  void BindTrayIcon(uint32_t callbackMessage) override;
  int32_t ShowTrayIcon(int resourceId) override;
  bool OpenHelp(const char* path) override;
  void CloseHelp() override;

  AppState& app_;
  CBitmapButton bitmapButton_;
  HICON icon_ = nullptr;
  Win32TrayShell trayShell_;
  CTrayIcon trayIcon_;
  RECT lightRect_{};
  HBRUSH nullBrush_ = nullptr;
  TransparentBitmap lightBitmaps_[2];
  ScopedGdiObject background_;
  ScopedGdiObject fittedFont_;  // only when the dialog font does not fit
  MainWindowController controller_;
};

}  // namespace tessaly
