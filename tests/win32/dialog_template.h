// Builds dialog templates in memory for tests of the dialog framework: a
// DLGTEMPLATE with font, followed by DWORD-aligned DLGITEMTEMPLATE items of
// the predefined classes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessaly_test {

class DialogTemplate {
 public:
  enum : WORD { kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082 };

  DialogTemplate(DWORD style, short cx, short cy, const char* title = "") {
    style |= DS_SETFONT;
    Dword(style);
    Dword(0);  // extended style
    countAt_ = words_.size();
    Word(0);  // item count, filled in by Add
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(title);
    Word(8);
    Text("MS Sans Serif");
  }

  DialogTemplate& Add(WORD id, WORD atom, DWORD style, short x, short y, short cx, short cy,
                      const char* text = "") {
    if (words_.size() % 2 != 0) Word(0);  // DWORD alignment
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(atom);
    Text(text);
    Word(0);  // no creation data
    ++words_[countAt_];
    return *this;
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) Word(static_cast<unsigned char>(*p));
    Word(0);
  }

  std::vector<WORD> words_;
  size_t countAt_ = 0;
};

// Handles the messages already queued for this thread, without waiting.
inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Handles messages until `done` holds or `limit` ms have passed (a safety
// bound, not a measurement). Returns done().
template <class Done>
bool PumpUntil(Done done, DWORD limit = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limit) return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  return true;
}

}  // namespace tessaly_test
