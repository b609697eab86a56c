// The top layer's answers for the tools outside the plug-in.
#include "plugin/inspect.h"

#include "launch/launcher.h"
#include "plugin/globals.h"

namespace inspect {

const std::string& RootKey() {
    return TheLauncher().rootKey;
}

flows::PlanContext FlowPlanContext() {
    return {TheLauncher().rootKey, devNotice};
}

}  // namespace inspect
