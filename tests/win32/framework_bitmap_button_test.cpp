// The owner-drawn picture button in a real dialog: it draws the face that
// matches the item state, sizes itself to its up face, answers only for its
// own control (its dialog's message map hands it WM_DRAWITEM), and leaks no
// GDI objects while drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/win32/handles.h"
#include "presentation/gdi_guards.h"
#include "presentation/win32/win32_gdi.h"
#include "ui/win32/framework_bitmap_button.h"
#include "win32/framework_test_ids.h"
#include "win32/message_pump.h"

namespace tessaly {
namespace {

using tessaly_test::PumpPending;

constexpr WORD kPictureId = IDC_TEST_PICTURE;
constexpr WORD kOtherId = IDC_TEST_OTHER;
constexpr int kWidth = 41, kHeight = 40;
const COLORREF kFaceColours[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                  RGB(255, 255, 0)};  // up, down, focus, disabled

// The real GDI's guards, and their DCs and objects as the platform's handles.
Gdi& Real() { return SystemGdi(); }
HDC Dc(GdiDc dc) { return ToHandle<HDC>(dc); }

HBITMAP SolidBitmap(COLORREF colour) {
  ScopedWindowDc screen(Real(), 0);
  HBITMAP bitmap = CreateCompatibleBitmap(Dc(screen.get()), kWidth, kHeight);
  ScopedMemoryDc memory(Real(), screen.get());
  ScopedSelection selected(Real(), memory.get(), FromHandle(bitmap));
  ScopedGdiObject brush(Real(), FromHandle(CreateSolidBrush(colour)));
  RECT all = {0, 0, kWidth, kHeight};
  FillRect(Dc(memory.get()), &all, ToHandle<HBRUSH>(brush.get()));
  return bitmap;
}

class PictureDialog : public CDialog {
 public:
  PictureDialog() : CDialog(IDD_FRAMEWORK_TEST) {}
  CBitmapButton button;
  CBitmapButton* other = nullptr;  // a second button, asked while set

 protected:
  bool DispatchMessageMap(WindowMessage& m) override {
    static const MessageMapEntry<PictureDialog> kMap[] = {
        MessageEntry(WM_DRAWITEM, &PictureDialog::OnDrawItem)};
    return DispatchEntries(*this, kMap, m);
  }
  bool OnDrawItem(WindowMessage& m) {
    const DRAWITEMSTRUCT* item = LParamStruct<DRAWITEMSTRUCT>(m);
    if (item == nullptr) return false;
    if (!button.DrawItem(*item) && (other == nullptr || !other->DrawItem(*item))) return false;
    m.result = TRUE;
    return true;
  }

  BOOL OnInitDialog() override {
    button.Attach(*this, kPictureId);
    button.SetBitmaps(SolidBitmap(kFaceColours[0]), SolidBitmap(kFaceColours[1]),
                      SolidBitmap(kFaceColours[2]), SolidBitmap(kFaceColours[3]));
    button.SizeToContent();
    return TRUE;
  }
};

// Draws through the dialog's WM_DRAWITEM into a bitmap of our own and reads
// the colour in its middle.
struct Drawn {
  LRESULT result;
  COLORREF centre;
};

Drawn DrawInto(HWND dialog, UINT id, UINT state) {
  ScopedWindowDc screen(Real(), 0);
  ScopedGdiObject target(Real(), Real().CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
  ScopedMemoryDc memory(Real(), screen.get());
  ScopedSelection selected(Real(), memory.get(), target.get());
  ScopedGdiObject white(Real(), FromHandle(CreateSolidBrush(RGB(255, 255, 255))));
  RECT all = {0, 0, kWidth, kHeight};
  FillRect(Dc(memory.get()), &all, ToHandle<HBRUSH>(white.get()));

  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = id;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hwndItem = GetDlgItem(dialog, id);
  item.hDC = Dc(memory.get());
  item.rcItem = all;
  const LRESULT result =
      SendMessageA(dialog, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
  return {result, GetPixel(Dc(memory.get()), kWidth / 2, kHeight / 2)};
}

struct StateCase {
  UINT state;
  int face;
};

class PictureButtonFace : public testing::TestWithParam<StateCase> {};

TEST_P(PictureButtonFace, DrawsTheFaceOfTheItemState) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const Drawn drawn = DrawInto(dialog.GetSafeHwnd(), kPictureId, GetParam().state);
  EXPECT_EQ(drawn.result, TRUE);
  EXPECT_EQ(drawn.centre, kFaceColours[GetParam().face]);
}

INSTANTIATE_TEST_SUITE_P(States, PictureButtonFace,
                         testing::Values(StateCase{0, 0}, StateCase{ODS_SELECTED, 1},
                                         StateCase{ODS_FOCUS, 2}, StateCase{ODS_DISABLED, 3},
                                         StateCase{ODS_SELECTED | ODS_FOCUS, 1},
                                         StateCase{ODS_FOCUS | ODS_DISABLED, 2}));

TEST(PictureButton, SizesItselfToItsUpFace) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  RECT r;
  GetWindowRect(dialog.button.GetSafeHwnd(), &r);
  EXPECT_EQ(r.right - r.left, kWidth);
  EXPECT_EQ(r.bottom - r.top, kHeight);
}

TEST(PictureButton, OtherControlsAreNotDrawnByIt) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const Drawn drawn = DrawInto(dialog.GetSafeHwnd(), kOtherId, 0);
  EXPECT_EQ(drawn.result, FALSE);
  EXPECT_EQ(drawn.centre, RGB(255, 255, 255));
}

TEST(PictureButton, AttachNeedsAnExistingControl) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CBitmapButton stray;
  EXPECT_FALSE(stray.Attach(dialog, 4444));
}

TEST(PictureButton, MissingPicturesFailToLoad) {
  CBitmapButton button;
  EXPECT_FALSE(button.LoadBitmaps(9001, 9002, 9003, 9004));
  EXPECT_FALSE(button.LoadBitmaps(0));
}

TEST(PictureButton, AButtonGoneBeforeItsDialogIsNoLongerAsked) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  {
    CBitmapButton extra;
    ASSERT_TRUE(extra.Attach(dialog, kOtherId));
    extra.SetBitmaps(SolidBitmap(RGB(0, 0, 0)), nullptr, nullptr, nullptr);
    dialog.other = &extra;
    EXPECT_EQ(DrawInto(dialog.GetSafeHwnd(), kOtherId, 0).centre, RGB(0, 0, 0));
    dialog.other = nullptr;
  }
  EXPECT_EQ(DrawInto(dialog.GetSafeHwnd(), kOtherId, 0).result, FALSE);
}

TEST(PictureButton, ShownButtonPaintsItsUpFaceThenItsDisabledFace) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ShowWindow(dialog.GetSafeHwnd(), SW_SHOWNORMAL);
  HWND button = dialog.button.GetSafeHwnd();
  UpdateWindow(dialog.GetSafeHwnd());
  PumpPending();
  auto centre = [&] {
    ScopedWindowDc dc(Real(), FromHandle(button));
    return GetPixel(Dc(dc.get()), kWidth / 2, kHeight / 2);
  };
  // The dialog may give the button the focus; either way it is not disabled.
  const COLORREF first = centre();
  EXPECT_TRUE(first == kFaceColours[0] || first == kFaceColours[2]) << std::hex << first;
  EnableWindow(button, FALSE);
  UpdateWindow(button);
  PumpPending();
  EXPECT_EQ(centre(), kFaceColours[3]);
}

TEST(PictureButton, DrawingLeaksNoGdiObjects) {
  PictureDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND button = dialog.button.GetSafeHwnd();
  ScopedWindowDc dc(Real(), FromHandle(button));
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = kPictureId;
  item.hwndItem = button;
  item.hDC = Dc(dc.get());
  item.rcItem = {0, 0, kWidth, kHeight};
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (before == 0) GTEST_SKIP() << "this platform does not count GDI objects";
  for (int i = 0; i < 1000; ++i) {
    item.itemState = static_cast<UINT>(i % 2 ? ODS_SELECTED : 0);
    ASSERT_TRUE(SendMessageA(dialog.GetSafeHwnd(), WM_DRAWITEM, kPictureId,
                             reinterpret_cast<LPARAM>(&item)));
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
}  // namespace tessaly
