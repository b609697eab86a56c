// The plan both backends share: which call to fail, the calls counted, and the names of calls
// and faults for the messages of failed checks.
#include "support/fault_plan.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <utility>

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
    SystemCall actionCall = SystemCall::kOpen;
    std::size_t actionNumber = 0;  // of the calls of `actionCall`; 0: no action
    std::function<void()> action;
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

// The action due before this call of `call`, taken from the state; run without the lock.
std::function<void()> TakeAction(State& state, SystemCall call, std::size_t ofKind) {
    if (state.actionNumber == 0 || state.actionCall != call || state.actionNumber != ofKind) {
        return nullptr;
    }
    state.actionNumber = 0;
    return std::move(state.action);
}

bool DecideFault(SystemCall call, Fault& fault) {
    State& state = TheState();
    std::unique_lock<std::mutex> lock(state.mutex);
    std::size_t& counted = state.ofKind[static_cast<std::size_t>(call)];
    if (const std::function<void()> action = TakeAction(state, call, counted + 1)) {
        lock.unlock();
        action();  // its own calls are counted before this one
        lock.lock();
    }
    state.calls.push_back(call);
    const std::size_t ofKind = ++counted;
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
                                         "set directory",
                                         "get directory",
                                         "set variable",
                                         "wait",
                                         "exit code",
                                         "shell",
                                         "list next",
                                         "size",
                                         "seek",
                                         "truncate",
                                         "unlock",
                                         "identity",
                                         "close",
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
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    state.actionNumber = 0;
    state.action = nullptr;
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

void FaultPlan::BeforeNth(SystemCall call, std::size_t occurrence, std::function<void()> action) {
    State& state = TheState();
    const std::lock_guard<std::mutex> lock(state.mutex);
    state.actionCall = call;
    state.actionNumber = occurrence;
    state.action = std::move(action);
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
