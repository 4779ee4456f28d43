// The scope guards on the real GDI release what they hold: after the scope
// each handle is no longer valid, each selection is undone, and moved or
// released handles are left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "base/win32/handles.h"
#include "presentation/gdi_guards.h"
#include "presentation/win32/win32_gdi.h"

namespace tessaly {
namespace {

Gdi& Real() { return SystemGdi(); }
HDC Dc(GdiDc dc) { return ToHandle<HDC>(dc); }
HGDIOBJ Object(GdiObject object) { return ToHandle<HGDIOBJ>(object); }

GdiObject MakeBitmap() {
  ScopedWindowDc screen(Real(), 0);
  return Real().CreateCompatibleBitmap(screen.get(), 8, 8);
}

TEST(GdiGuards, GdiObjectIsDeletedAtScopeEnd) {
  HGDIOBJ raw;
  {
    ScopedGdiObject bitmap(Real(), MakeBitmap());
    raw = Object(bitmap.get());
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(GdiGuards, EachKindOfGdiObjectIsDeleted) {
  HGDIOBJ brush, pen, region;
  {
    ScopedGdiObject b(Real(), FromHandle(CreateSolidBrush(RGB(1, 2, 3))));
    ScopedGdiObject p(Real(), FromHandle(CreatePen(PS_SOLID, 1, RGB(4, 5, 6))));
    ScopedGdiObject r(Real(), FromHandle(CreateRectRgn(0, 0, 5, 5)));
    brush = Object(b.get());
    pen = Object(p.get());
    region = Object(r.get());
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  }
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectType(region), 0u);
}

TEST(GdiGuards, MovedHandleIsReleasedOnceByItsNewOwner) {
  HGDIOBJ raw;
  ScopedGdiObject outer;
  {
    ScopedGdiObject inner(Real(), MakeBitmap());
    raw = Object(inner.get());
    outer = std::move(inner);
    EXPECT_FALSE(inner);
  }
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));  // still owned
  outer.reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(GdiGuards, ResetReleasesTheOldHandleAndReleaseGivesUpOwnership) {
  ScopedGdiObject bitmap(Real(), MakeBitmap());
  HGDIOBJ first = Object(bitmap.get());
  bitmap.reset(MakeBitmap());
  EXPECT_EQ(GetObjectType(first), 0u);
  HGDIOBJ second = Object(bitmap.release());
  EXPECT_FALSE(bitmap);
  bitmap.reset();
  EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(second);
}

TEST(GdiGuards, MemoryDcIsDeleted) {
  HDC raw;
  {
    ScopedWindowDc screen(Real(), 0);
    ScopedMemoryDc memory(Real(), screen.get());
    raw = Dc(memory.get());
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(GdiGuards, SelectObjectIsUndoneAndTheObjectCanThenBeDeleted) {
  ScopedMemoryDc memory(Real(), 0);
  const HGDIOBJ original = GetCurrentObject(Dc(memory.get()), OBJ_BITMAP);
  HGDIOBJ raw;
  {
    ScopedGdiObject bitmap(Real(), MakeBitmap());  // outlives the selection below
    raw = Object(bitmap.get());
    ScopedSelection selected(Real(), memory.get(), bitmap.get());
    EXPECT_TRUE(selected);
    EXPECT_EQ(GetCurrentObject(Dc(memory.get()), OBJ_BITMAP), raw);
  }
  EXPECT_EQ(GetCurrentObject(Dc(memory.get()), OBJ_BITMAP), original);
  EXPECT_EQ(GetObjectType(raw), 0u);  // deselected first, so deletion worked
}

TEST(GdiGuards, SelectOfNothingSelectsNothing) {
  ScopedMemoryDc memory(Real(), 0);
  const HGDIOBJ original = GetCurrentObject(Dc(memory.get()), OBJ_BITMAP);
  {
    ScopedSelection selected(Real(), memory.get(), 0);
    EXPECT_FALSE(selected);
  }
  EXPECT_EQ(GetCurrentObject(Dc(memory.get()), OBJ_BITMAP), original);
}

TEST(GdiGuards, WindowDcIsReleasedAndPaintCycleValidates) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  {
    ScopedWindowDc dc(Real(), FromHandle(window));
    EXPECT_TRUE(dc);
    EXPECT_EQ(WindowFromDC(Dc(dc.get())), window);
  }
  InvalidateRect(window, nullptr, FALSE);
  {
    ScopedPaintDc paint(window);
    EXPECT_TRUE(paint);
  }
  RECT update;
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));  // EndPaint ran
  DestroyWindow(window);
}

TEST(GdiGuards, ManyWindowDcsInARowDoNotRunOut) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 2000; ++i) {
    ScopedWindowDc dc(Real(), FromHandle(window));
    ASSERT_TRUE(dc) << i;
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace tessaly
