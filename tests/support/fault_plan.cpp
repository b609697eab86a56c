// The plan both backends share: which call to fail, the calls counted, and the names of calls
// and faults for the messages of failed checks.
#include "support/fault_plan.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace {

struct FaultChoice {
    std::size_t number = 0;  // 1 for the first call counted
    bool ofKind = false;     // `number` counts the calls of `call` only
    SystemCall call = SystemCall::kOpen;
    Fault fault = Fault::kError;
};

constexpr std::size_t kKinds = static_cast<std::size_t>(SystemCall::kRegistry) + 1;

struct State {
    std::mutex mutex;
    std::vector<SystemCall> calls;
    std::size_t ofKind[kKinds] = {};
    std::vector<FaultChoice> choices;
    bool fired = false;
};

State& TheState() {
    static State state;
    return state;
}

// Starts counting afresh; `choice` is added to the calls to fail, which are first cleared
// unless `keep`.
void ChooseFault(const FaultChoice* choice, bool keep) {
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    state.calls.clear();
    std::fill(std::begin(state.ofKind), std::end(state.ofKind), 0);
    if (!keep) state.choices.clear();
    if (choice != nullptr) state.choices.push_back(*choice);
    state.fired = false;
}

}  // namespace

bool DecideFault(SystemCall call, Fault& fault) {
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    state.calls.push_back(call);
    const std::size_t ofKind = ++state.ofKind[static_cast<std::size_t>(call)];
    for (const FaultChoice& choice : state.choices) {
        const bool chosen = choice.ofKind ? choice.call == call && choice.number == ofKind
                                          : choice.number == state.calls.size();
        if (chosen) {
            state.fired = true;
            fault = choice.fault;
            return true;
        }
    }
    return false;
}

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

void FaultPlan::CountOnly() {
    ChooseFault(nullptr, false);
}

void FaultPlan::FailCall(std::size_t number, Fault fault) {
    const FaultChoice choice{number, false, SystemCall::kOpen, fault};
    ChooseFault(&choice, false);
}

void FaultPlan::FailNth(SystemCall call, std::size_t occurrence, Fault fault) {
    const FaultChoice choice{occurrence, true, call, fault};
    ChooseFault(&choice, false);
}

void FaultPlan::AlsoFailNth(SystemCall call, std::size_t occurrence, Fault fault) {
    const FaultChoice choice{occurrence, true, call, fault};
    ChooseFault(&choice, true);
}

std::vector<SystemCall> FaultPlan::Calls() const {
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    return state.calls;
}

bool FaultPlan::Fired() const {
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    return state.fired;
}
