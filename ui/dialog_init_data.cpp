#include "ui/dialog_init_data.h"

#include "base/little_endian.h"

namespace tessaly {

uint32_t AddStringMessageFor(uint16_t storedMessage) {
  const uint16_t kStoredComboAdd = 0x0403, kStoredListAdd = 0x0180;
  const uint32_t kComboAddString = 0x0143, kListAddString = 0x0180;
  if (storedMessage == kStoredComboAdd) return kComboAddString;
  if (storedMessage == kStoredListAdd) return kListAddString;
  return 0;
}

bool ParseDialogInitData(const uint8_t* data, size_t size, DialogInitRecords* records) {
  records->clear();
  if (data == nullptr) return size == 0;
  size_t at = 0;
  for (;;) {
    if (size - at < 2) return false;  // no terminator
    const uint16_t id = ReadLe16(data + at);
    if (id == 0) return true;
    if (size - at < 8) return false;
    const uint16_t message = ReadLe16(data + at + 2);
    const uint32_t length = ReadLe32(data + at + 4);
    at += 8;
    if (length > size - at) return false;
    const char* text = reinterpret_cast<const char*>(data + at);
    // The text ends at its terminator, or at the record's end if it has none.
    size_t textLength = 0;
    while (textLength < length && text[textLength] != '\0') ++textLength;
    if (!records->push_back(DialogInitRecord{id, message, text, textLength})) return false;
    at += length;
  }
}

}  // namespace tessaly
