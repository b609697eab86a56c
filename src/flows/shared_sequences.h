// The step sequences that several flows repeat with their own parameters.
#ifndef TRUV_FLOWS_SHARED_SEQUENCES_H
#define TRUV_FLOWS_SHARED_SEQUENCES_H

#include "flows/flow_steps.h"

namespace flows {

// clang-format off

/// The continuation sequence. Parameters: the directory key, the model-input command and the
/// third-step command. The model-input program asks for the second step with
/// "Autorunfile.tmp"; when that file's second byte, read after the second step, is the
/// character 3, the third step runs too. The request file is deleted at the end.
inline constexpr TextArg kModelInputCommand = kFirstParameter;
inline constexpr TextArg kThirdStepCommand  = kSecondParameter;

inline constexpr Step kContinuationThirdStep[] = {
    Run(kRunExeFileNor, kKeyParameter, kThirdStepCommand),
};
inline constexpr Step kContinuationFollowUp[] = {
    Run(kRunExeFileNor, kKeyParameter, "Stage2.exe -PASS"),
    IfSecondByteIsThree("autorunfile.tmp", kContinuationThirdStep),
    Delete("Autorunfile.tmp"),
};
inline constexpr Step kContinuation[] = {
    Run(kRunExeFile, kKeyParameter, kModelInputCommand),
    IfPresent("Autorunfile.tmp", kContinuationFollowUp),
};

/// The wireframe sequence. Parameter: the directory key of the wireframe program; its
/// follow-ups always run under the structural model module's key. "return.tmp" asks for the
/// hidden-line follow-ups and stays; otherwise "REDRAW.tmp" asks for the 2D redraw and goes.
inline constexpr DirKey kStructuralModelKey{"CORE"};

inline constexpr Step kWireframeHiddenLines[] = {
    Run(kRunExeFileNor, kStructuralModelKey, "OCCLUDE.exe"),
    Run(kRunExeFileNor, kStructuralModelKey, "EDGECULL.exe"),
    Run(kRunExeFileNor, kStructuralModelKey, "PLOT_2D.exe P"),
};
inline constexpr Step kWireframeRedraw[] = {
    Run(kRunExeFileNor, kStructuralModelKey, "PLOT_2D.exe P"),
    Delete("REDRAW.tmp"),
};
inline constexpr Step kWireframeRedrawIfAsked[] = {
    IfPresent("REDRAW.tmp", kWireframeRedraw),
};
inline constexpr Step kWireframe[] = {
    Run(kRunExeFileMin, kKeyParameter, "WIRE_3D.exe PCORE"),
    IfPresent("return.tmp", kWireframeHiddenLines, kWireframeRedrawIfAsked),
};

/// The forming sequence. Parameters: the directory key, the forming command and the follow-up
/// command, which runs whenever "STG4NAME.tmp" is present (it is never deleted here).
inline constexpr TextArg kFormingCommand  = kFirstParameter;
inline constexpr TextArg kFollowUpCommand = kSecondParameter;

inline constexpr Step kFormingFollowUp[] = {
    Run(kRunExeFile, kKeyParameter, kFollowUpCommand),
};
inline constexpr Step kForming[] = {
    Run(kRunExeFile, kKeyParameter, kFormingCommand),
    IfPresent("STG4NAME.tmp", kFormingFollowUp),
};

/// A notice or message and nothing else.
inline constexpr Step kShowDevNotice[] = {ShowDevNotice()};

// clang-format on

}  // namespace flows

#endif  // TRUV_FLOWS_SHARED_SEQUENCES_H
