#include "base/registry_values.h"

#include <stdlib.h>
#include <string.h>

#include "base/text.h"

namespace tessaly {

namespace {

bool IsTextType(uint32_t type) { return type == kRegString || type == kRegExpandString; }

}  // namespace

bool WriteDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t value) {
  if (key == 0) return false;
  return registry.SetValue(key, name, kRegDword, &value, sizeof value) == kRegistrySuccess;
}

bool WriteStringValue(RegistryApi& registry, RegistryKey key, const char* name,
                      const char* text) {
  if (key == 0) return false;
  if (text == nullptr) text = "";
  const size_t bytes = strlen(text) + 1;
  return registry.SetValue(key, name, kRegString, text, static_cast<uint32_t>(bytes)) ==
         kRegistrySuccess;
}

uint32_t ReadDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t def) {
  if (key == 0) return def;
  uint32_t value = 0;
  uint32_t type = 0;
  uint32_t size = sizeof value;
  if (registry.QueryValue(key, name, &type, &value, &size) != kRegistrySuccess) return def;
  // A text or a short value is not a number: "1" stored as REG_SZ would
  // otherwise read as 49, and a 2-byte value would leave bytes unset.
  if ((type != kRegDword && type != kRegBinary) || size != sizeof value) return def;
  return value;
}

size_t ReadStringValue(RegistryApi& registry, RegistryKey key, const char* name, const char* def,
                       char* out, size_t size) {
  if (def == nullptr) def = "";
  const auto useDefault = [&] {
    if (size > 0) CopyText(out, size, def);
    return strlen(def);
  };
  if (key == 0) return useDefault();

  uint32_t type = 0;
  uint32_t needed = 0;
  if (registry.QueryValue(key, name, &type, nullptr, &needed) != kRegistrySuccess ||
      !IsTextType(type))
    return useDefault();

  // One byte more than stored, so that a value saved without its terminator
  // still ends in one. The whole text is read, so its length can be told.
  char* text = static_cast<char*>(calloc(static_cast<size_t>(needed) + 1, 1));
  if (text == nullptr) return useDefault();
  uint32_t got = needed;
  if (registry.QueryValue(key, name, &type, text, &got) != kRegistrySuccess ||
      !IsTextType(type) || got > needed) {
    free(text);
    return useDefault();
  }
  text[got] = '\0';

  if (size > 0) CopyText(out, size, text);
  const size_t length = strlen(text);
  free(text);
  return length;
}

}  // namespace tessaly
