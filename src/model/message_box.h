// The plug-in's message box: every user message except the system-error box goes through it.
#ifndef TRUV_MODEL_MESSAGE_BOX_H
#define TRUV_MODEL_MESSAGE_BOX_H

#include <cstdint>
#include <string>
#include <string_view>

#include "model/trace.h"
#include "os/os.h"

/// Shows `text` modally, captioned with the library's file name without its extension; the
/// exclamation icon is added when `style` names no icon. Waits until the box is closed.
/// `letter` names the message in the list of messages for support (the launch trace).
void ShowMessage(const std::string& text, std::string_view letter = trace::kUnlettered,
                 std::uint32_t style = os::kBoxOk);

/// The caption: the library's own file name without directory and extension.
std::string MessageCaption();

#endif  // TRUV_MODEL_MESSAGE_BOX_H
