#include "ui/win32/tessaly_dialog.h"

#include <stdint.h>
#include <string.h>

#include "base/messages.h"
#include "base/text.h"
#include "presentation/memory_dc.h"
#include "presentation/standard_colour.h"
#include "presentation/win32/resource_bitmaps.h"
#include "presentation/win32/win32_gdi.h"
#include "res/resource.h"
#include "ui/control_colours.h"
#include "ui/dialog_init_data.h"
#include "ui/layout_fit.h"
#include "ui/main_window_pictures.h"
#include "ui/win32/window_palette.h"

namespace tessaly {

const MessageMapEntry<TessalyDialog> TessalyDialog::kMessageMap[] = {
    AnyCommandEntry(&TessalyDialog::OnCommand),  // the controller's command table
    DrawItemEntry(&TessalyDialog::OnDrawItem),
    MessageEntry(kMsgTrayCallback, &TessalyDialog::OnTrayCallback),
    MessageEntry(kMsgStampLastRun, &TessalyDialog::OnStampLastRunMessage),
    ValueEntry(kMsgQuickCheckStatus, &TessalyDialog::OnQuickCheckStatus),
    EraseBackgroundEntry(&TessalyDialog::OnEraseBackground),
    ControlColourEntry(&TessalyDialog::OnControlColour),  // all seven WM_CTLCOLOR*
    MessageEntry(WM_PAINT, &TessalyDialog::OnPaint),
    SizeEntry(&TessalyDialog::OnSize),
    QueryDragIconEntry(&TessalyDialog::OnQueryDragIcon),
    QueryNewPaletteEntry(&TessalyDialog::OnQueryNewPalette),
    PaletteChangedEntry(&TessalyDialog::OnPaletteChanged),
};

bool TessalyDialog::DispatchMessageMap(WindowMessage& m) {
  return DispatchEntries(*this, kMessageMap, m);
}

TessalyDialog::TessalyDialog(AppState& app, MainWindowServices& services,
                             Companions& companions, Clock& clock, HWND parent)
    : CDialog(IDD_TESSALY_DIALOG),
      app_(app),
      trayIcon_(IDR_TRAY, trayShell_, app.settings),
      lightBitmaps_{TransparentBitmap(SystemGdi()), TransparentBitmap(SystemGdi())},
      background_(SystemGdi()),
      fittedFont_(SystemGdi()),
      controller_(app, *this, services, companions, clock) {
  icon_ = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_TESSALY));
  if (Create(parent) && icon_ != nullptr)
    SetClassLongA(m_hWnd, GCL_HICON, static_cast<LONG>(FromHandle(icon_)));
}

TessalyDialog::~TessalyDialog() = default;

BOOL TessalyDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FillFromInitData();
  bitmapButton_.Attach(*this, IDC_LAUNCH_VANTOR);

  // The rich picture of the font size serves only for its size.
  const MainWindowPictures pictures =
      ChooseMainWindowPictures(app_.IsRichColour(), app_.IsLargeFonts());
  ScopedGdiObject sizePicture(SystemGdi(), FromHandle(LoadBitmapA(
                                                ResourceInstance(),
                                                MAKEINTRESOURCEA(pictures.sizeTemplate))));
  int width = 0, height = 0;
  const bool sized = SystemGdi().GetBitmapSize(sizePicture.get(), &width, &height);
  if (sized) FitControlsToPicture(width, height);

  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, static_cast<LPARAM>(FromHandle(icon_)));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(FromHandle(icon_)));
  bitmapButton_.LoadBitmaps(pictures.buttonUp, pictures.buttonDown, pictures.buttonFocus,
                            pictures.buttonDisabled);
  bitmapButton_.SizeToContent();
  nullBrush_ = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  // Without the picture the template's own size is kept rather than a
  // window of no client area.
  if (sized) SizeToBackground(width, height);
  CenterWindow();
  controller_.OnInitDialog();
  return TRUE;
}

void TessalyDialog::FillFromInitData() {
  HINSTANCE module = ResourceInstance();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_TESSALY_DIALOG),
                              MAKEINTRESOURCEA(RT_TESSALY_DLGINIT));
  if (found == nullptr) return;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (data == nullptr) return;
  DialogInitRecords records;
  ParseDialogInitData(static_cast<const uint8_t*>(data), SizeofResource(module, found), &records);
  for (const DialogInitRecord& r : records) {
    const UINT message = AddStringMessageFor(r.message);
    if (message == 0) continue;
    char text[kPathSize];
    const size_t kept = r.length < sizeof text ? r.length : sizeof text - 1;
    memcpy(text, r.text, kept);
    text[kept] = '\0';
    SendDlgItemMessageA(m_hWnd, r.controlId, message, 0, reinterpret_cast<LPARAM>(text));
  }
}

void TessalyDialog::SizeToBackground(int width, int height) {
  const SystemMetrics metrics{GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                              GetSystemMetrics(SM_CYSIZE)};
  const WindowSize outer = MainWindowSize(width, height, metrics);
  SetWindowPos(m_hWnd, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

namespace {

struct FitContext {
  HWND dialog;
  HWND keepSize;  // the picture button keeps its picture's size
  LayoutScale scale;
};

BOOL CALLBACK FitChild(HWND child, LPARAM context) {
  const FitContext& fit = *reinterpret_cast<const FitContext*>(context);
  if (GetParent(child) != fit.dialog) return TRUE;
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, fit.dialog, reinterpret_cast<POINT*>(&r), 2);
  const PixelRect scaled = ScaleRect(PixelRect{r.left, r.top, r.right, r.bottom}, fit.scale);
  int cx = scaled.right - scaled.left, cy = scaled.bottom - scaled.top;
  if (child == fit.keepSize) {
    cx = r.right - r.left;
    cy = r.bottom - r.top;
  }
  MoveWindow(child, scaled.left, scaled.top, cx, cy, FALSE);
  return TRUE;
}

}  // namespace

void TessalyDialog::FitControlsToPicture(int width, int height) {
  RECT units = {0, 0, 4, 8};
  MapDialogRect(m_hWnd, &units);
  const LayoutScale scale = FitLayoutToPicture(width, height, units.right, units.bottom);
  if (!scale.needed) return;
  FitContext context{m_hWnd, bitmapButton_.GetSafeHwnd(), scale};
  EnumChildWindows(m_hWnd, FitChild, reinterpret_cast<LPARAM>(&context));
  // Average character width in pixels that the picture was drawn for: the
  // horizontal base unit, which is 4 dialog units, taken from the picture's
  // width over the template's width in dialog units.
  FitFontToLayout(static_cast<double>(width) / IDD_TESSALY_DIALOG_WIDTH * 4);
}

namespace {

// Average character width of a font, the way dialog base units are taken.
double AverageWidth(HFONT font) {
  ScopedWindowDc screen(SystemGdi(), 0);
  if (!screen) return 0;
  ScopedSelection select(SystemGdi(), screen.get(), FromHandle(font));
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32A(ToHandle<HDC>(screen.get()), kAlphabet, 52, &extent);
  return extent.cx / 52.0;
}

HFONT DialogFont(HFONT base, int height) {
  LOGFONTA font{};
  GetObjectA(base, sizeof font, &font);
  font.lfHeight = -height;
  font.lfWidth = 0;
  return CreateFontIndirectA(&font);
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

void TessalyDialog::FitFontToLayout(double targetAverageWidth) {
  HFONT base = ToHandle<HFONT>(static_cast<uintptr_t>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
  if (base == nullptr) return;
  LOGFONTA current{};
  GetObjectA(base, sizeof current, &current);
  const int height = current.lfHeight < 0 ? -current.lfHeight : current.lfHeight;
  if (height <= 0 || AverageWidth(base) <= targetAverageWidth) return;
  const int chosen = ChooseFittingFontHeight(height, height * 2 / 3, targetAverageWidth,
                                             [base](int h) {
                                               ScopedGdiObject font(SystemGdi(),
                                                                    FromHandle(DialogFont(base, h)));
                                               return AverageWidth(ToHandle<HFONT>(font.get()));
                                             });
  fittedFont_.reset(FromHandle(DialogFont(base, chosen)));
  if (fittedFont_) EnumChildWindows(m_hWnd, SetChildFont, static_cast<LPARAM>(fittedFont_.get()));
}

bool TessalyDialog::OnCommand(uint32_t id, uint32_t code) {
  return controller_.OnCommand(static_cast<int>(id), static_cast<int>(code));
}

bool TessalyDialog::OnDrawItem(const DRAWITEMSTRUCT& item) { return bitmapButton_.DrawItem(item); }

BOOL TessalyDialog::DestroyWindow() {
  controller_.OnDestroy();
  lightBitmaps_[0].Attach(0);
  lightBitmaps_[1].Attach(0);
  return CDialog::DestroyWindow();
}

void TessalyDialog::PostNcDestroy() { delete this; }

bool TessalyDialog::OnTrayCallback(WindowMessage& m) {
  m.result = trayIcon_.HandleCallback(TrayIconId(m), TrayMouseMessage(m));
  return true;
}

bool TessalyDialog::OnStampLastRunMessage(WindowMessage& m) {
  controller_.StampLastRun();
  m.result = 0;
  return true;
}

void TessalyDialog::OnQuickCheckStatus(uintptr_t status) { controller_.SetQuickCheckStatus(status); }

intptr_t TessalyDialog::OnEraseBackground(GdiDc dc) {
  MemoryDC memory(SystemGdi(), app_.palette, app_.IsPaletteDevice(), dc);
  memory.Blit(background_.get(), 0, 0, 0, 0, 0, 0);
  return Default();
}

uintptr_t TessalyDialog::OnControlColour(GdiDc dc, uint32_t controlType) {
  if (KeepsBaseBrush(static_cast<int>(controlType))) return 0;  // the platform's own colours
  // The base handling sets the text colour from the user's colour scheme;
  // only its background and brush give way to the picture.
  Default();
  SetBkMode(ToHandle<HDC>(dc), TRANSPARENT);
  return FromHandle(nullBrush_);
}

bool TessalyDialog::OnPaint(WindowMessage& m) {
  ScopedPaintDc paint(m_hWnd);
  if (paint) {
    lightBitmaps_[controller_.LightIndex()].DrawTransparent(
        paint.get(), lightRect_.left, lightRect_.top, StandardColour(kStandardCyan));
  }
  m.result = 0;
  return true;
}

void TessalyDialog::OnSize(uint32_t sizeType) {
  Default();
  controller_.OnSize(static_cast<int>(sizeType));
}

uintptr_t TessalyDialog::OnQueryDragIcon() { return FromHandle(icon_); }

// The background is a device bitmap made under the application palette.
bool TessalyDialog::OnQueryNewPalette() {
  return RealiseForegroundPalette(m_hWnd, ToHandle<HPALETTE>(app_.palette));
}

bool TessalyDialog::OnPaletteChanged(uintptr_t changer) {
  return RealiseBackgroundPalette(m_hWnd, ToHandle<HPALETTE>(app_.palette), changer);
}

}  // namespace tessaly
