// The override files beside the executable ("mappath.txt" sets the map data
// folder, "cardname.txt" the storage card name, "phonehost.txt" the phone
// search's host).  Only their first line counts.
#pragma once
#include <string>

// Decodes the first line of an override file's bytes.  Accepted encodings:
// UTF-16LE with a byte-order mark, or without one when the file's first 0
// byte stands at an odd place; UTF-8 with a byte-order mark, or without one
// when the first line is well-formed UTF-8; else Shift-JIS (code page 932).  The line ends
// at the first line feed (a carriage return right before it is dropped too,
// so files written on a desktop work) or at a NUL character, and is cut to
// at most 255 UTF-16 units without splitting a surrogate pair.
// Returns false when the first line holds no text: the caller then keeps the
// value the file would have overridden, as for a missing file.
bool DecodeOverrideFirstLine(const std::string& bytes, std::u16string* line);

// Reads the start of the file at `path` (a device path, through
// shell/device_probe.h) and, when it opens and its first line holds text,
// replaces *value with that line.  Returns true when it did.
bool ApplyOverrideFile(const std::u16string& path, std::u16string* value);
// The same for a value that a cut would turn into another one (a host whose
// port loses a digit): a first line longer than 255 units is not taken.
bool ApplyWholeOverrideFile(const std::u16string& path, std::u16string* value);
