// Texts between the plug-in's GBK and the terminal: conversion and output.
#ifndef TRUV_HOST_PLATFORM_CONSOLE_TEXT_H
#define TRUV_HOST_PLATFORM_CONSOLE_TEXT_H

#include <string>

namespace host {

/// Flushes standard output; false when anything written to it was lost. Notes whether the
/// reader closed it (ReaderClosedStandardOutput).
bool FlushStandardOutput();

/// True once a write to standard output failed because its reader had closed the pipe.
bool ReaderClosedStandardOutput();

/// Where the host's own output goes: standard output, in UTF-8 or as the raw GBK bytes.
class Console {
public:
    explicit Console(bool rawGbk) : rawGbk_(rawGbk) {}

    /// Writes a GBK text as it is, or converted to UTF-8.
    void Write(const std::string& gbk) const;
    /// Write, then a line end; flushed, so that it precedes what started programs print.
    void Line(const std::string& gbk) const;

    /// A line of the user's input, converted from the terminal's encoding to GBK; false at
    /// the end of the input.
    bool ReadLine(std::string& gbk) const;

private:
    bool rawGbk_;
};

}  // namespace host

#endif  // TRUV_HOST_PLATFORM_CONSOLE_TEXT_H
