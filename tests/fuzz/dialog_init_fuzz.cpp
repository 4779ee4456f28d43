// The dialog initialisation data of a resource: records of (id, message,
// length, text) ending in a zero word. The parser must stay inside the
// resource, return only records that lie wholly inside it, and give records
// that, written out again, reproduce the resource's own record heads.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "fuzz_input.h"
#include "ui/dialog_init_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  DialogInitRecords records;
  records.push_back(DialogInitRecord{1, 2, "stale", 5});
  const bool complete = ParseDialogInitData(data, size, &records);

  // Walk the records again over the bytes: each must match the head it came
  // from, and its text must be the record's bytes up to the first NUL.
  size_t at = 0;
  for (const DialogInitRecord& record : records) {
    FUZZ_CHECK(record.controlId != 0);
    FUZZ_CHECK(size - at >= 8);
    const uint8_t* head = data + at;
    FUZZ_CHECK(record.controlId == (head[0] | head[1] << 8));
    FUZZ_CHECK(record.message == (head[2] | head[3] << 8));
    const uint32_t length =
        head[4] | head[5] << 8 | head[6] << 16 | static_cast<uint32_t>(head[7]) << 24;
    at += 8;
    FUZZ_CHECK(length <= size - at);
    FUZZ_CHECK(record.length <= length);
    FUZZ_CHECK(memcmp(record.text, data + at, record.length) == 0);
    FUZZ_CHECK(record.length == length || data[at + record.length] == '\0');
    at += length;
  }
  // A complete list ends in a zero word right after the last record.
  if (complete) {
    FUZZ_CHECK(size - at >= 2 && data[at] == 0 && data[at + 1] == 0);
  } else {
    FUZZ_CHECK(size - at < 2 || data[at] != 0 || data[at + 1] != 0);
  }

  // Without data only an empty resource is complete.
  DialogInitRecords none;
  FUZZ_CHECK(ParseDialogInitData(nullptr, 0, &none) && none.empty());
  FUZZ_CHECK(!ParseDialogInitData(nullptr, size + 1, &none) && none.empty());
  return 0;
}
