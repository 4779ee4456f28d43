#include "ui/control_colours.h"

namespace tessaly {

bool KeepsBaseBrush(int controlType) {
  return controlType == kCtlColorEdit || controlType == kCtlColorListBox;
}

}  // namespace tessaly
