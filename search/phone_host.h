// Whether a text may name the web map search service's host: the check a
// host set at start-up (the "phonehost.txt" override) must pass before the
// phone search asks it instead of the host the program was built for.
#pragma once
#include <string>

// Accepted: NAME or NAME:PORT, nothing before or after.
// - NAME is a host name of at most 253 characters: labels of 1 to 63 ASCII
//   letters, digits and '-' (not first or last in a label), joined by
//   single dots; no dot at either end.  Where every label is digits only,
//   NAME must be an IPv4 address: exactly four labels, each 0 to 255 (a
//   leading zero is refused, as some resolvers read it as octal).
// - PORT is 1 to 5 digits, 1 to 65535.
// Refused, among others: an empty text, an empty name or port, spaces,
// '/', '?', '#', '@' (which would move the rest of the URL elsewhere),
// non-ASCII names (an internationalised name must be written in its ASCII
// "xn--" form), IPv6 literals, and a trailing dot.
// Such a host is at most 259 characters, so the request's URL ("http://",
// the host, "/maps?q=" and a term of at most 63 characters) always fits the
// URL buffer (1024) and the host part the HTTP client's 256 units.
bool PhoneSearchHostUsable(const std::u16string& host);
