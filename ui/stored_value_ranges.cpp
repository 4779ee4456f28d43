#include "ui/stored_value_ranges.h"

#include "base/settings_table.h"

namespace tessaly {

int32_t NormaliseIdleIndex(int32_t idle, int itemCount) {
  return (idle < 0 || idle >= itemCount) ? kDefaultIdleIndex : idle;
}

int32_t NormaliseLightIndex(int32_t status) { return (status < 0 || status > 1) ? 0 : status; }

}  // namespace tessaly
