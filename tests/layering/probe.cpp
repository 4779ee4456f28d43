// Compiled against one layer's include root with PROBE_HEADER naming a header
// of some folder: it builds only when that folder is visible to the layer.
#include PROBE_HEADER
