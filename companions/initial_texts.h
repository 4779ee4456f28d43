// The three texts a companion library is initialised with, kept as copies
// (the caller's texts need not outlive the call).
#pragma once

#include "companions/standin_text.h"

namespace companions {

struct InitialTexts {
  char company[companions::kPathSize] = "";
  char product[companions::kPathSize] = "";
  char folder[companions::kPathSize] = "";

  // Copies the texts (a missing one becomes empty, a longer one is cut);
  // true when all three fitted whole.
  bool Keep(const char* newCompany, const char* newProduct, const char* newFolder) noexcept {
    bool whole = companions::CopyText(company, newCompany);
    whole = companions::CopyText(product, newProduct) && whole;
    return companions::CopyText(folder, newFolder) && whole;
  }
};

}  // namespace companions
