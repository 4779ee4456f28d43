// An install folder that is whatever the test says it is.
#pragma once

#include <string>
#include <utility>

#include "base/paths.h"
#include "base/text.h"

namespace tessaly {

struct FakeInstallFolder : InstallFolder {
  std::string folder;

  FakeInstallFolder() = default;
  explicit FakeInstallFolder(std::string f) : folder(std::move(f)) {}
  FakeInstallFolder& operator=(std::string f) {
    folder = std::move(f);
    return *this;
  }
  bool Lookup(char* out, size_t size) override {
    return CopyText(out, size, folder.c_str()) && out[0] != '\0';
  }
};

}  // namespace tessaly
