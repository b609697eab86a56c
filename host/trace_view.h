// `truvhost trace FILE`: the launch trace in words, filtered by key or time.
#ifndef TRUV_HOST_TRACE_VIEW_H
#define TRUV_HOST_TRACE_VIEW_H

#include <string>
#include <vector>

namespace host {

/// Which lines to show; an empty member lets every line through.
struct TraceFilter {
    std::string key;    ///< the key of the call, whole
    std::string since;  ///< "HH:MM" or "HH:MM:SS" (that time of any day), or a date and time
                        ///< "YYYY-MM-DD[ HH:MM[:SS]]"; lines at or after it
};

/// Reads "--key K" and "--since T" from `options`; false for anything else or a time not of
/// the forms above.
bool ParseTraceFilter(const std::vector<std::string>& options, TraceFilter& filter);

/// The lines of the trace `bytes` that pass `filter`, one readable line each (GBK); lines not
/// in the trace's form are counted in a last line.
std::vector<std::string> TraceView(const std::string& bytes, const TraceFilter& filter);

}  // namespace host

#endif  // TRUV_HOST_TRACE_VIEW_H
