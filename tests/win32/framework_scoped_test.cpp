// Scope guards release what they hold: after the scope each handle is no
// longer valid, each selection is undone, and moved or released handles are
// left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "ui/win32/framework_scoped.h"

namespace tessaly {
namespace {

HBITMAP MakeBitmap() {
  ScopedHDC screen(nullptr);
  return CreateCompatibleBitmap(screen.get(), 8, 8);
}

TEST(FrameworkScoped, GdiObjectIsDeletedAtScopeEnd) {
  HBITMAP raw;
  {
    ScopedDeleteObject<HBITMAP> bitmap(MakeBitmap());
    raw = bitmap.get();
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(FrameworkScoped, EachKindOfGdiObjectIsDeleted) {
  HGDIOBJ brush, pen, region;
  {
    ScopedDeleteObject<HBRUSH> b(CreateSolidBrush(RGB(1, 2, 3)));
    ScopedDeleteObject<HPEN> p(CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
    ScopedDeleteObject<HRGN> r(CreateRectRgn(0, 0, 5, 5));
    brush = b.get();
    pen = p.get();
    region = r.get();
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  }
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectType(region), 0u);
}

TEST(FrameworkScoped, MovedHandleIsReleasedOnceByItsNewOwner) {
  HBITMAP raw;
  ScopedDeleteObject<HBITMAP> outer;
  {
    ScopedDeleteObject<HBITMAP> inner(MakeBitmap());
    raw = inner.get();
    outer = std::move(inner);
    EXPECT_FALSE(inner);
  }
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));  // still owned
  outer.reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(FrameworkScoped, ResetReleasesTheOldHandleAndReleaseGivesUpOwnership) {
  ScopedDeleteObject<HBITMAP> bitmap(MakeBitmap());
  HBITMAP first = bitmap.get();
  bitmap.reset(MakeBitmap());
  EXPECT_EQ(GetObjectType(first), 0u);
  HBITMAP second = bitmap.release();
  EXPECT_FALSE(bitmap);
  bitmap.reset();
  EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(second);
}

TEST(FrameworkScoped, MemoryDcIsDeleted) {
  HDC raw;
  {
    ScopedHDC screen(nullptr);
    ScopedMemDC memory(CreateCompatibleDC(screen.get()));
    raw = memory.get();
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(FrameworkScoped, SelectObjectIsUndoneAndTheObjectCanThenBeDeleted) {
  ScopedMemDC memory(CreateCompatibleDC(nullptr));
  const HGDIOBJ original = GetCurrentObject(memory.get(), OBJ_BITMAP);
  HBITMAP raw;
  {
    ScopedDeleteObject<HBITMAP> bitmap(MakeBitmap());  // outlives the selection below
    raw = bitmap.get();
    ScopedSelectObject selected(memory.get(), bitmap.get());
    EXPECT_TRUE(selected);
    EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), raw);
  }
  EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), original);
  EXPECT_EQ(GetObjectType(raw), 0u);  // deselected first, so deletion worked
}

TEST(FrameworkScoped, SelectOfNothingSelectsNothing) {
  ScopedMemDC memory(CreateCompatibleDC(nullptr));
  const HGDIOBJ original = GetCurrentObject(memory.get(), OBJ_BITMAP);
  {
    ScopedSelectObject selected(memory.get(), nullptr);
    EXPECT_FALSE(selected);
  }
  EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), original);
}

TEST(FrameworkScoped, WindowDcIsReleasedAndPaintCycleValidates) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  {
    ScopedHDC dc(window);
    EXPECT_TRUE(dc);
    EXPECT_EQ(WindowFromDC(dc.get()), window);
  }
  InvalidateRect(window, nullptr, FALSE);
  {
    ScopedPaintDC paint(window);
    EXPECT_TRUE(paint);
  }
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));  // EndPaint ran
  DestroyWindow(window);
}

TEST(FrameworkScoped, ManyWindowDcsInARowDoNotRunOut) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 2000; ++i) {
    ScopedHDC dc(window);
    ASSERT_TRUE(dc) << i;
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace tessaly
