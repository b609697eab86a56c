// POSIX half: the library's version, as a "@(#)" mark in the file, where the reference host
// (truvhost --version) and what(1)-style tools find it. On Windows the version resource
// states it.

// Kept although nothing refers to it: `used` against the compiler, `retain` against the
// linker's removal of unused sections.
[[gnu::used, gnu::retain]] extern const char kTruvAppVersionMark[] = "@(#)truvApp " TRUV_VERSION;
