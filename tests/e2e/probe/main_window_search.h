// The program's main window among the top-level windows of a title: the one
// with the last-run field IDC_LAST_RUN, which only the main window has. Its question
// box carries the same title and, while it is up, stands above the main
// window, where a search by title alone would take the box.
#pragma once

#include <windows.h>
#include <string.h>

#include "res/resource.h"

namespace probe {

struct TitleSearch {
  const char* title;
  HWND first;  // the first window with the title, in z-order
  HWND main;   // the first one that has the last-run field
};

inline BOOL CALLBACK FindTitled(HWND window, LPARAM data) {
  TitleSearch* search = reinterpret_cast<TitleSearch*>(data);
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  if (strcmp(text, search->title) != 0) return TRUE;
  if (search->first == nullptr) search->first = window;
  if (GetDlgItem(window, IDC_LAST_RUN) != nullptr) {
    search->main = window;
    return FALSE;
  }
  return TRUE;
}

inline TitleSearch SearchTitle(const char* title) {
  TitleSearch search = {title, nullptr, nullptr};
  EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
  return search;
}

}  // namespace probe
