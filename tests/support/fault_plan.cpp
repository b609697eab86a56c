// The names of calls and faults, for the messages of failed checks.
#include "support/fault_plan.h"

std::string NameOf(SystemCall call) {
    static const char* const kNames[] = {"open",
                                         "read",
                                         "write",
                                         "flush",
                                         "lock",
                                         "move",
                                         "link",
                                         "delete",
                                         "inspect",
                                         "list",
                                         "spawn file actions",
                                         "spawn",
                                         "registry"};
    return kNames[static_cast<int>(call)];
}

std::string NameOf(Fault fault) {
    static const char* const kNames[] = {"error",     "disk full", "short write",
                                         "try again", "held",      "unsupported"};
    return kNames[static_cast<int>(fault)];
}
