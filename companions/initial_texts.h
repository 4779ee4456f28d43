// The three texts a companion library is initialised with, kept as copies
// (the caller's texts need not outlive the call).
#pragma once

#include "app/text.h"

namespace companions {

struct InitialTexts {
  char company[tessaly::kPathSize] = "";
  char product[tessaly::kPathSize] = "";
  char folder[tessaly::kPathSize] = "";

  // Copies the texts (a missing one becomes empty, a longer one is cut);
  // true when all three fitted whole.
  bool Keep(const char* newCompany, const char* newProduct, const char* newFolder) noexcept {
    bool whole = tessaly::CopyText(company, newCompany);
    whole = tessaly::CopyText(product, newProduct) && whole;
    return tessaly::CopyText(folder, newFolder) && whole;
  }
};

}  // namespace companions
