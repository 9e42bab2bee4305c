#pragma once

#include <string>

namespace levywise {

// Why the core could not do what it was asked: a rate file refused, an
// estimate out of the range of money, a code that names no unit. The file,
// line, column and text say where, when the fault lies in a file or in one
// field of a request; otherwise they stay empty.
struct Error {
    // Failed: what was named was read but cannot give a result (a refused
    // rate file, a tax too large). Unreadable: a file named cannot be read at
    // all (missing, a folder, not to be opened). The others are faults of a
    // request: a code that names no entry of its list, a code that more than
    // one unit has, a value that is no amount.
    enum class Kind { Failed, Unreadable, UnknownCode, SharedCode, BadValue };

    std::string file;    // the path as given; for a request, the field at fault ("county")
    int line = 0;        // 1-based; 0 when the file as a whole is at fault
    int column = 0;      // 1-based; 0 when the line as a whole is at fault
    std::string text;    // the offending text (as read, single-byte)
    std::string problem; // what is wrong, in plain words
    Kind kind = Kind::Failed;

    // "<file>, line 12, column 6 ("abc"): this is not a number." (the text cut
    // after 40 characters)
    std::string message() const;
    // The same without the file, for a front end that shows the file's name its own way.
    std::string messageAfterFile() const;
};

// Text cut after 40 characters, as messages quote it.
std::string Shortened(std::string_view text);

} // namespace levywise
