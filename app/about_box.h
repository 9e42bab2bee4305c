#pragma once

#include <QString>

namespace levywise {

inline constexpr const char* kAboutTitle = "About Levywise";

// The five lines of the About box, joined with CR LF.
QString AboutText();

} // namespace levywise
