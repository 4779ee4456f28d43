// The texts that name the program: the caption of every message box and
// title of the main window, and the company, product and family names of
// the registry keys and the companion libraries.
#pragma once

namespace tessaly {

inline constexpr const char kAppCaption[] = "Vantor Tessaly";

inline constexpr const char kCompanyKey[] = "Brenmoor Software Corp";
inline constexpr const char kProductKey[] = "Tessaly";
inline constexpr const char kFamilyName[] = "Vantor";

}  // namespace tessaly
