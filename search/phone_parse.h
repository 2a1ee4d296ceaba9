// The parse of a web map search answer: coordinate pairs (WGS84, after the
// key "atlng:{") and place titles (after the key ",sxti:\""), each title
// listed with the pair read last before it.
#pragma once
#include <cstddef>
#include <string>

// A result line is formatted into 63 characters, a title holds at most 319
// characters converted from at most 639 raw bytes.  A title too long for the
// line is cut so that the line keeps its coordinates.
constexpr std::size_t kPhoneLineMaxChars = 63;
constexpr std::size_t kPhoneTitleMaxChars = 319;
constexpr std::size_t kPhoneTitleMaxBytes = 639;

// Scans the answer bytes and adds one result line per title.  Does not clear
// the list.  An answer that ends inside a title or a coordinate pair ends the
// scan there: the cut title is not listed and the cut pair not used.
// Returns the number of lines added.
int ParseSearchResponseBytes(const unsigned char* bytes, std::size_t size);

// Clears the result list, parses the cached answer at `cachePath` (if it can
// be read), deletes the file and returns the number of lines in the list.
int ParseSearchResponseFile(const std::u16string& cachePath);
