// The program's resources, linked into this test program, read back through
// the platform: bitmaps, icons, menu, strings, dialog templates and version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "contracts/tray_menu.h"
#include "res/resource.h"

namespace {

// ------------------------------------------------------------ helpers --

struct ResourceBytes {
  const uint8_t* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindBytes(int id, LPCSTR type) {
  ResourceBytes r;
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return r;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return r;
  r.data = static_cast<const uint8_t*>(LockResource(loaded));
  r.size = SizeofResource(nullptr, found);
  return r;
}

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Dword(const uint8_t* p) { return Word(p) | (static_cast<uint32_t>(Word(p + 2)) << 16); }

// A packed device-independent bitmap as the resource holds it.
struct Dib {
  BITMAPINFOHEADER header{};
  std::vector<COLORREF> table;
  const uint8_t* bits = nullptr;
  size_t stride = 0;

  COLORREF Pixel(int x, int y) const {  // y counted from the top
    const uint8_t* row = bits + stride * static_cast<size_t>(header.biHeight - 1 - y);
    unsigned index = header.biBitCount == 8 ? row[x]
                                             : (x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
    return table.at(index);
  }
};

bool ReadDib(int id, Dib* dib) {
  ResourceBytes r = FindBytes(id, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (r.data == nullptr || r.size < sizeof(BITMAPINFOHEADER)) return false;
  std::memcpy(&dib->header, r.data, sizeof dib->header);
  const BITMAPINFOHEADER& h = dib->header;
  if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biBitCount > 8 || h.biWidth <= 0 ||
      h.biHeight <= 0)
    return false;
  const size_t entries = size_t{1} << h.biBitCount;
  dib->stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  const size_t needed = h.biSize + 4 * entries + dib->stride * static_cast<size_t>(h.biHeight);
  if (r.size < needed) return false;
  const uint8_t* q = r.data + h.biSize;
  for (size_t i = 0; i < entries; ++i, q += 4) dib->table.push_back(RGB(q[2], q[1], q[0]));
  dib->bits = q;
  return true;
}

std::string WideText(const uint8_t*& p) {  // a template's sz_Or_Ord as text
  std::string s;
  if (Word(p) == 0xFFFF) {
    s = "#" + std::to_string(Word(p + 2));
    p += 4;
    return s;
  }
  for (; Word(p) != 0; p += 2) s += static_cast<char>(Word(p));
  p += 2;
  return s;
}

const COLORREF kCyan = RGB(0, 255, 255);

// ------------------------------------------------------------ bitmaps --

struct BitmapCase {
  int id;
  int width;
  int height;
  int bits;
};

const BitmapCase kBitmaps[] = {
    {IDB_BACKGROUND_LARGE_256, 391, 429, 8}, {IDB_BACKGROUND_LARGE_16, 391, 429, 4},
    {IDB_BUTTON_UP_256, 41, 40, 8},          {IDB_BUTTON_FOCUS_256, 41, 40, 8},
    {IDB_BUTTON_DOWN_256, 41, 40, 8},        {IDB_BUTTON_UP_16, 41, 40, 4},
    {IDB_BUTTON_FOCUS_16, 41, 40, 4},        {IDB_BUTTON_DOWN_16, 41, 40, 4},
    {IDB_LIGHT_GREEN_16, 13, 13, 4},         {IDB_LIGHT_RED_16, 13, 13, 4},
    {IDB_SPLASH_16, 293, 84, 4},             {IDB_BACKGROUND_SMALL_16, 292, 347, 4},
    {IDB_BACKGROUND_SMALL_256, 292, 347, 8}, {IDB_LIGHT_GREEN_256, 16, 16, 8},
    {IDB_LIGHT_RED_256, 16, 16, 8},          {IDB_SPLASH_256, 293, 84, 8},
};

class BitmapResource : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapResource, HasItsSizeAndDepthUncompressed) {
  const BitmapCase& c = GetParam();
  Dib dib;
  ASSERT_TRUE(ReadDib(c.id, &dib)) << "bitmap " << c.id;
  EXPECT_EQ(dib.header.biWidth, c.width);
  EXPECT_EQ(dib.header.biHeight, c.height);
  EXPECT_EQ(dib.header.biBitCount, c.bits);
  EXPECT_EQ(dib.header.biPlanes, 1);
  EXPECT_EQ(dib.header.biCompression, static_cast<DWORD>(BI_RGB));
}

TEST_P(BitmapResource, LoadsAsDeviceBitmapOfItsSize) {
  const BitmapCase& c = GetParam();
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id));
  ASSERT_NE(bitmap, nullptr) << "bitmap " << c.id;
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, c.width);
  EXPECT_EQ(info.bmHeight, c.height);
  DeleteObject(bitmap);
}

// 16-colour pictures use exactly the 16 standard colours; 256-colour ones
// share the table of the small-font background, which becomes the
// application palette on a palette display.
TEST_P(BitmapResource, ColourTableIsTheSharedOne) {
  const BitmapCase& c = GetParam();
  Dib dib;
  ASSERT_TRUE(ReadDib(c.id, &dib));
  if (c.bits == 4) {
    const std::set<COLORREF> standard = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
    EXPECT_EQ(std::set<COLORREF>(dib.table.begin(), dib.table.end()), standard);
  } else {
    Dib palette;
    ASSERT_TRUE(ReadDib(IDB_BACKGROUND_SMALL_256, &palette));
    EXPECT_EQ(dib.table, palette.table);
  }
}

INSTANTIATE_TEST_SUITE_P(AllPictures, BitmapResource, ::testing::ValuesIn(kBitmaps),
                         [](const ::testing::TestParamInfo<BitmapCase>& info) {
                           return "Id" + std::to_string(info.param.id);
                         });

class LightPicture : public ::testing::TestWithParam<int> {};

TEST_P(LightPicture, SitsOnCyanWithAnOpaqueLamp) {
  Dib dib;
  ASSERT_TRUE(ReadDib(GetParam(), &dib));
  const int w = dib.header.biWidth, h = dib.header.biHeight;
  EXPECT_EQ(dib.Pixel(0, 0), kCyan);
  EXPECT_EQ(dib.Pixel(w - 1, 0), kCyan);
  EXPECT_EQ(dib.Pixel(0, h - 1), kCyan);
  EXPECT_EQ(dib.Pixel(w - 1, h - 1), kCyan);
  EXPECT_NE(dib.Pixel(w / 2, h / 2), kCyan);
}

INSTANTIATE_TEST_SUITE_P(GreenAndRed, LightPicture,
                         ::testing::Values(IDB_LIGHT_GREEN_16, IDB_LIGHT_RED_16,
                                           IDB_LIGHT_GREEN_256, IDB_LIGHT_RED_256));

TEST(LightPicture, GreenIsGreenAndRedIsRed) {
  for (int id : {IDB_LIGHT_GREEN_16, IDB_LIGHT_GREEN_256, IDB_LIGHT_RED_16, IDB_LIGHT_RED_256}) {
    Dib dib;
    ASSERT_TRUE(ReadDib(id, &dib));
    COLORREF centre = dib.Pixel(dib.header.biWidth / 2, dib.header.biHeight / 2 + 2);
    bool green = id == IDB_LIGHT_GREEN_16 || id == IDB_LIGHT_GREEN_256;
    int mine = green ? GetGValue(centre) : GetRValue(centre);
    int other = green ? GetRValue(centre) : GetGValue(centre);
    EXPECT_GT(mine, other + 100) << "light " << id;
  }
}

// --------------------------------------------------------------- icons --

struct IconCase {
  int id;
  std::vector<int> sizes;
};

class IconGroup : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconGroup, HoldsSixteenColourImagesOfItsSizes) {
  const IconCase& c = GetParam();
  ResourceBytes group = FindBytes(c.id, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
  ASSERT_NE(group.data, nullptr) << "icon group " << c.id;
  ASSERT_GE(group.size, 6u);
  const unsigned count = Word(group.data + 4);
  ASSERT_EQ(group.size, 6u + 14u * count);
  std::vector<int> sizes;
  for (unsigned i = 0; i < count; ++i) {
    const uint8_t* e = group.data + 6 + 14 * i;
    int width = e[0], height = e[1];
    EXPECT_EQ(width, height);
    EXPECT_EQ(e[2], 16) << "colour count";
    EXPECT_EQ(Word(e + 6), 4) << "bits per pixel";
    sizes.push_back(width);
    ResourceBytes image = FindBytes(Word(e + 12), MAKEINTRESOURCEA(3) /* RT_ICON */);
    ASSERT_NE(image.data, nullptr);
    BITMAPINFOHEADER h;
    ASSERT_GE(image.size, sizeof h);
    std::memcpy(&h, image.data, sizeof h);
    EXPECT_EQ(h.biWidth, width);
    EXPECT_EQ(h.biHeight, 2 * height);
    EXPECT_EQ(h.biBitCount, 4);
  }
  EXPECT_EQ(sizes, c.sizes);
  for (int size : c.sizes) {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    EXPECT_NE(icon, nullptr) << size;
    if (icon) DestroyIcon(icon);
  }
}

INSTANTIATE_TEST_SUITE_P(ProgramIcons, IconGroup,
                         ::testing::Values(IconCase{IDI_TESSALY, {32}},
                                           IconCase{IDR_TRAY_DISABLED, {16, 32}},
                                           IconCase{IDR_TRAY, {16}}));

// ---------------------------------------------------------- menu, tips --

TEST(TrayMenu, HasOnePopupWithTheItemsInOrder) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  char text[64] = "";
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Tray");
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);

  const auto& items = tessaly::kTrayMenu;
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(sizeof items / sizeof items[0]));
  for (int pos = 0; pos < GetMenuItemCount(popup); ++pos) {
    const UINT state = GetMenuState(popup, pos, MF_BYPOSITION);
    if (items[pos].text == nullptr) {
      EXPECT_TRUE(state & MF_SEPARATOR) << "position " << pos;
      continue;
    }
    EXPECT_FALSE(state & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED | MF_DISABLED)) << pos;
    EXPECT_EQ(GetMenuItemID(popup, pos), items[pos].id) << "position " << pos;
    GetMenuStringA(popup, pos, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, items[pos].text) << "position " << pos;
  }
  DestroyMenu(menu);
}

TEST(TrayTips, AreTheStringsOfTheIconIds) {
  char text[256] = "";
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDR_TRAY, text, sizeof text), 0);
  EXPECT_STREQ(text, "Double-click on the icon to open the Tessaly");
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDR_TRAY_DISABLED, text, sizeof text), 0);
  EXPECT_STREQ(text,
               "Vantor Tessaly is disabled. Double-click on the icon to open the Tessaly");
}

// ------------------------------------------------------------- dialogs --

struct TemplateHeader {
  uint32_t exStyle = 0, style = 0;
  int items = 0, cx = 0, cy = 0;
  std::string menu, windowClass, title, face;
  int pointSize = 0;
  size_t itemsAt = 0;  // offset of the first item's (unaligned) start
};

bool ReadTemplate(int id, TemplateHeader* t) {
  ResourceBytes r = FindBytes(id, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  if (r.data == nullptr || r.size < 26 || Word(r.data) != 1 || Word(r.data + 2) != 0xFFFF)
    return false;  // only extended templates are used
  const uint8_t* p = r.data;
  t->exStyle = Dword(p + 8);
  t->style = Dword(p + 12);
  t->items = Word(p + 16);
  t->cx = static_cast<int16_t>(Word(p + 22));
  t->cy = static_cast<int16_t>(Word(p + 24));
  p += 26;
  t->menu = WideText(p);
  t->windowClass = WideText(p);
  t->title = WideText(p);
  if (t->style & DS_SETFONT) {
    t->pointSize = Word(p);
    p += 6;  // point size, weight, italic, character set
    t->face = WideText(p);
  }
  t->itemsAt = static_cast<size_t>(p - r.data);
  return true;
}

TEST(MainWindowTemplate, HeaderIsAsDesigned) {
  TemplateHeader t;
  ASSERT_TRUE(ReadTemplate(IDD_TESSALY_DIALOG, &t));
  EXPECT_EQ(t.style,
            static_cast<uint32_t>(DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(t.exStyle, static_cast<uint32_t>(WS_EX_APPWINDOW));
  EXPECT_EQ(t.cx, IDD_TESSALY_DIALOG_WIDTH);
  EXPECT_EQ(t.cy, IDD_TESSALY_DIALOG_HEIGHT);
  EXPECT_EQ(t.menu, "");
  EXPECT_EQ(t.title, "Vantor Tessaly");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.face, "MS Sans Serif");
}

TEST(SplashTemplate, HeaderIsAsDesigned) {
  TemplateHeader t;
  ASSERT_TRUE(ReadTemplate(IDD_SPLASH, &t));
  EXPECT_EQ(t.style, 0x90000A40u);
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ(t.items, 0);
  EXPECT_EQ(t.cx, 246);
  EXPECT_EQ(t.cy, 145);
  EXPECT_EQ(t.title, "");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.face, "MS Sans Serif");
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The template's items as stored: id, class, caption, styles and place in
// dialog units.
struct TemplateItem {
  int id;
  std::string windowClass;  // "button", "edit", "static" or "combobox"
  std::string caption;
  uint32_t exStyle, style;
  int x, y, cx, cy;
};

// A control's class as the template names it, by its predefined number or by
// its name, in lower case.
std::string ClassName(const std::string& stored) {
  if (stored == "#128") return "button";
  if (stored == "#129") return "edit";
  if (stored == "#130") return "static";
  if (stored == "#133") return "combobox";
  std::string name = stored;
  for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return name;
}

std::vector<TemplateItem> ReadItems(int templateId) {
  std::vector<TemplateItem> items;
  ResourceBytes r = FindBytes(templateId, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  TemplateHeader t;
  if (!ReadTemplate(templateId, &t)) return items;
  const uint8_t* p = r.data + t.itemsAt;
  for (int i = 0; i < t.items; ++i) {
    p = r.data + ((p - r.data + 3) & ~3);  // items start on 4-byte boundaries
    if (p + 24 > r.data + r.size) break;
    TemplateItem item{static_cast<int32_t>(Dword(p + 20)),
                      "",
                      "",
                      Dword(p + 4),
                      Dword(p + 8),
                      static_cast<int16_t>(Word(p + 12)),
                      static_cast<int16_t>(Word(p + 14)),
                      static_cast<int16_t>(Word(p + 16)),
                      static_cast<int16_t>(Word(p + 18))};
    p += 24;
    item.windowClass = ClassName(WideText(p));
    item.caption = WideText(p);
    p += 2 + Word(p);  // creation data
    items.push_back(item);
  }
  return items;
}

// Every item the header counts is there to read, and no two controls share
// an id (the labels and the separator all have IDC_STATIC).
TEST(MainWindowTemplate, EveryCountedItemIsThereWithAnIdOfItsOwn) {
  TemplateHeader t;
  ASSERT_TRUE(ReadTemplate(IDD_TESSALY_DIALOG, &t));
  const std::vector<TemplateItem> items = ReadItems(IDD_TESSALY_DIALOG);
  EXPECT_EQ(static_cast<int>(items.size()), t.items);
  std::set<int> ids;
  for (const TemplateItem& item : items) {
    if (item.id != IDC_STATIC) {
      EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " twice";
    }
  }
}

// The one style each kind of control may have, from its class and its own
// type bits: a stray or missing bit fails, whatever the control's place.
uint32_t StyleOfItsKind(const TemplateItem& item) {
  const uint32_t shown = WS_CHILD | (item.style & WS_VISIBLE);
  if (item.windowClass == "button") {
    const uint32_t type = item.style & BS_TYPEMASK;
    if (type != BS_AUTOCHECKBOX && type != BS_PUSHBUTTON && type != BS_OWNERDRAW) return 0;
    return shown | type | WS_TABSTOP;
  }
  if (item.windowClass == "edit") return shown | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER;
  if (item.windowClass == "static") {
    const uint32_t type = item.style & SS_TYPEMASK;
    if (type == SS_LEFT) return shown | SS_LEFT | WS_GROUP;
    if (type == SS_BLACKFRAME) return shown | SS_BLACKFRAME;
    return 0;
  }
  // Unsorted, so that the idle choices keep the order of the initialisation data.
  if (item.windowClass == "combobox") return shown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
  return 0;
}

TEST(MainWindowTemplate, EachControlHasTheStyleOfItsKind) {
  const std::vector<TemplateItem> items = ReadItems(IDD_TESSALY_DIALOG);
  ASSERT_FALSE(items.empty());
  for (const TemplateItem& item : items) {
    SCOPED_TRACE("id " + std::to_string(item.id) + " class " + item.windowClass);
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ(item.style, StyleOfItsKind(item)) << std::hex << item.style;
  }
}

// The snapshot button is never shown, and the light's frame only marks where
// the status light is drawn; every other control is visible.
TEST(MainWindowTemplate, OnlyTheSnapshotAndTheLightStartHidden) {
  std::set<int> hidden;
  for (const TemplateItem& item : ReadItems(IDD_TESSALY_DIALOG))
    if (!(item.style & WS_VISIBLE)) hidden.insert(item.id);
  EXPECT_EQ(hidden, (std::set<int>{IDC_SNAPSHOT, IDC_LIGHT}));
}

TEST(MainWindowTemplate, EveryControlHasAnIdOfItsOwn) {
  std::set<int> seen;
  for (const TemplateItem& item : ReadItems(IDD_TESSALY_DIALOG)) {
    if (item.id == IDC_STATIC) continue;
    EXPECT_TRUE(seen.insert(item.id).second) << "id " << item.id << " used twice";
  }
  EXPECT_FALSE(seen.empty());
}

TEST(MainWindowTemplate, EveryControlLiesInsideThePicture) {
  TemplateHeader t;
  ASSERT_TRUE(ReadTemplate(IDD_TESSALY_DIALOG, &t));
  for (const TemplateItem& item : ReadItems(IDD_TESSALY_DIALOG)) {
    SCOPED_TRACE("id " + std::to_string(item.id));
    EXPECT_GE(item.x, 0);
    EXPECT_GE(item.y, 0);
    EXPECT_LE(item.x + item.cx, t.cx);
    // The idle combo box's height includes its drop-down list, which may hang
    // below. (Its style bits cannot tell it: an auto check box has the same
    // low bits as a drop-down list.)
    if (item.id != IDC_IDLE) {
      EXPECT_LE(item.y + item.cy, t.cy);
    }
  }
}

TEST(MainWindowTemplate, TabStopsFollowTheTabOrder) {
  const std::vector<int> expected = {IDC_IDLE,          IDC_BACKUP,   IDC_LOCATION,
                                     IDC_QUICKCHECK,    IDC_SHOW_ME,  IDC_MAX_ONCE,
                                     IDC_LAUNCH_VANTOR, IDC_DISABLE,  ID_HELP,
                                     IDCANCEL,          IDOK,         IDC_SNAPSHOT};
  std::vector<int> stops;
  for (const TemplateItem& item : ReadItems(IDD_TESSALY_DIALOG))
    if (item.style & WS_TABSTOP) stops.push_back(item.id);
  EXPECT_EQ(stops, expected);
}

class MainWindowDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TESSALY_DIALOG),
                                 nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
  }
  // The children in creation order, which is also the tab order.
  std::vector<HWND> Children() const {
    std::vector<HWND> list;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
      list.push_back(c);
    return list;
  }
  RECT Units(int x, int y, int cx, int cy) const {
    RECT at = {x, y, x, y}, size = {0, 0, cx, cy};
    MapDialogRect(dialog, &at);
    MapDialogRect(dialog, &size);
    return RECT{at.left, at.top, at.left + size.right, at.top + size.bottom};
  }
  HWND dialog = nullptr;
};

TEST_F(MainWindowDialog, WindowIsTheHiddenCaptionedPopup) {
  char title[64] = "";
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_STREQ(title, "Vantor Tessaly");
  EXPECT_FALSE(IsWindowVisible(dialog));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  for (DWORD bit : {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MINIMIZEBOX}}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

// The window the system builds from the template holds its items in order,
// with their class, caption, style and place.
TEST_F(MainWindowDialog, ControlsAreTheTemplatesItemsInOrder) {
  const std::vector<TemplateItem> items = ReadItems(IDD_TESSALY_DIALOG);
  const std::vector<HWND> children = Children();
  ASSERT_FALSE(items.empty());
  ASSERT_EQ(children.size(), items.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const TemplateItem& item = items[i];
    HWND w = children[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(item.id));
    EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(w)), static_cast<WORD>(item.id));

    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_EQ(lstrcmpiA(cls, item.windowClass.c_str()), 0) << cls;

    char caption[128] = "";
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_EQ(caption, item.caption);

    const uint32_t style = static_cast<uint32_t>(GetWindowLongA(w, GWL_STYLE));
    for (uint32_t bit : {uint32_t{WS_VISIBLE}, uint32_t{WS_TABSTOP}, uint32_t{WS_GROUP}})
      EXPECT_EQ(style & bit, item.style & bit) << std::hex << bit;
    // The bits that make the control what it is; the system may add others.
    const uint32_t kindBits = item.windowClass == "button"   ? BS_TYPEMASK
                              : item.windowClass == "static" ? SS_TYPEMASK
                              : item.windowClass == "combobox" ? 3 | CBS_SORT
                                                               : ES_READONLY | ES_AUTOHSCROLL;
    EXPECT_EQ(style & kindBits, item.style & kindBits) << std::hex << style;

    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const RECT want = Units(item.x, item.y, item.cx, item.cy);
    EXPECT_EQ(r.left, want.left);
    EXPECT_EQ(r.top, want.top);
    EXPECT_EQ(r.right, want.right);
    // A drop-down list is as tall as its selection field; its height in the
    // template is that of the opened list.
    if (item.windowClass != "combobox") {
      EXPECT_EQ(r.bottom, want.bottom);
    }
  }
}

// Every text the main window shows, as the user reads it.
TEST_F(MainWindowDialog, ShowsItsTexts) {
  std::multiset<std::string> shown;
  for (HWND w : Children()) {
    char caption[128] = "";
    if (GetWindowTextA(w, caption, sizeof caption) > 0) shown.insert(caption);
  }
  const std::multiset<std::string> expected = {
      "Backup my critical system files",
      "Location",
      "\"QuickCheck\" my system hardware",
      "Show Me",
      "Perform these actions a maximum of once per day",
      "Vantor",
      "Disable Tessaly",
      "Help",
      "Unload",
      "Minimize",
      "Snapshot",
      "When my system is idle for:",
      "I would like to:",
      "QuickCheck hardware status",
      "Last time these actions were performed:",
      "<- Launch Vantor",
  };
  EXPECT_EQ(shown, expected);
}

// The combo box items travel as the template's initialisation data (type
// 240, named like the template): records of control id, message, length and
// text, ended by a zero word. The dialog code applies them; this does the
// same and reads the combo box back.
TEST_F(MainWindowDialog, InitialisationDataFillsTheIdleComboInOrder) {
  ResourceBytes init = FindBytes(IDD_TESSALY_DIALOG, MAKEINTRESOURCEA(RT_TESSALY_DLGINIT));
  ASSERT_NE(init.data, nullptr);
  const uint8_t* p = init.data;
  const uint8_t* end = init.data + init.size;
  while (p + 2 <= end && Word(p) != 0) {
    ASSERT_LE(p + 8, end);
    const int control = Word(p);
    const unsigned message = Word(p + 2);
    const uint32_t length = Dword(p + 4);
    p += 8;
    ASSERT_LE(p + length, end);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(p[length - 1], 0) << "terminator";
    EXPECT_EQ(control, IDC_IDLE);
    EXPECT_EQ(message, static_cast<unsigned>(DLGINIT_CB_ADDSTRING));
    SendDlgItemMessageA(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
    p += length;
  }
  ASSERT_LE(p + 2, end) << "the list ends with a zero word";

  const char* const items[] = {"30 Minutes", "1 Hour",  "2 Hours",
                               "4 Hours",    "8 Hours", "12 Hours"};
  ASSERT_EQ(SendDlgItemMessageA(dialog, IDC_IDLE, CB_GETCOUNT, 0, 0), 6);
  for (int i = 0; i < 6; ++i) {
    char text[32] = "";
    SendDlgItemMessageA(dialog, IDC_IDLE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, items[i]) << "item " << i;
  }
}

TEST(SplashDialog, CreatesAsAControlFreePopup) {
  HWND splash = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SPLASH),
                                   nullptr, QuietDialogProc, 0);
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(GetWindow(splash, GW_CHILD), nullptr);
  const LONG style = GetWindowLongA(splash, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_THICKFRAME));
  char title[16] = "x";
  GetWindowTextA(splash, title, sizeof title);
  EXPECT_STREQ(title, "");
  DestroyWindow(splash);
}

// ------------------------------------------------------------- version --

TEST(VersionResource, CarriesTheProgramTexts) {
  char path[MAX_PATH] = "";
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  struct Text {
    const char* name;
    const char* value;
  };
  const Text texts[] = {
      {"FileVersion", "5.00.073"},      {"ProductVersion", "5.0"},
      {"FileDescription", "Vantor Tessaly"}, {"InternalName", "TESSALY"},
      {"OriginalFilename", "Tessaly.exe"}, {"ProductName", "Vantor"},
      {"CompanyName", "Brenmoor Software Corporation"},
  };
  for (const Text& t : texts) {
    std::string key = std::string("\\StringFileInfo\\040904b0\\") + t.name;
    char* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value),
                               &length))
        << t.name;
    EXPECT_STREQ(value, t.value) << t.name;
  }

  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u) << "one translation";
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04b0);

  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00050000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 73u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00050000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
