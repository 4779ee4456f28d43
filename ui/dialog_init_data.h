// Initialisation data of a dialog template: records of (control id, message,
// text) that fill list controls after the dialog is created, such as the
// items of a combo box. Stored as a resource beside the template:
//   WORD id, WORD message, DWORD length (text bytes incl. the terminator),
//   text; a zero WORD ends the list.
// The parser checks every length against the resource's size, so damaged data
// yields the records before the damage and never a read past the end.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace tessaly {

struct DialogInitRecord {
  uint16_t controlId;
  uint16_t message;  // CB_ADDSTRING (0x0403) or LB_ADDSTRING (0x0180)
  const char* text;  // inside the parsed data, not terminated
  size_t length;
};

// The records of one resource, in a fixed table.
class DialogInitRecords {
 public:
  static constexpr size_t kCapacity = 32;

  // false (and nothing kept) when the table is full.
  bool push_back(const DialogInitRecord& record) {
    if (count_ >= kCapacity) return false;
    items_[count_++] = record;
    return true;
  }
  void clear() { count_ = 0; }
  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const DialogInitRecord& operator[](size_t i) const { return items_[i]; }
  const DialogInitRecord* begin() const { return items_; }
  const DialogInitRecord* end() const { return items_ + count_; }

 private:
  DialogInitRecord items_[kCapacity];
  size_t count_ = 0;
};

// The window message that adds a record's text to its control: the stored
// codes are the 16-bit ones (0x0403 for a combo box, 0x0180 for a list box),
// CB_ADDSTRING is 0x0143 and LB_ADDSTRING 0x0180 on 32-bit Windows. 0 for any
// other code, whose record is skipped.
uint32_t AddStringMessageFor(uint16_t storedMessage);

// Parses the records; returns false when the data ends in the middle of a
// record or holds more records than the table takes (the complete records
// before it are still returned).
bool ParseDialogInitData(const uint8_t* data, size_t size, DialogInitRecords* records);

}  // namespace tessaly
