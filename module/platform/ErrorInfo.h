#pragma once
// Per-thread error information: a failing COM method attaches a text to its thread,
// and the caller on the same thread reads it back once (reading clears it).

#include "platform/ComBase.h"

#include <optional>
#include <string>

namespace Platform {

void SetErrorInfoText(std::string text);
void ClearErrorInfo();
std::optional<std::string> TakeErrorInfoText();

} // namespace Platform
