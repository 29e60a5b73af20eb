#include "platform/ErrorInfo.h"

namespace Platform {

namespace {
thread_local std::optional<std::string> t_errorText;
}

void SetErrorInfoText(std::string text) {
    t_errorText = std::move(text);
}

void ClearErrorInfo() {
    t_errorText.reset();
}

std::optional<std::string> TakeErrorInfoText() {
    std::optional<std::string> text = std::move(t_errorText);
    t_errorText.reset();
    return text;
}

} // namespace Platform
