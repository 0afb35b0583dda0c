#include "model/FrontEnd.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tessarion {

namespace {
NullFrontEnd gNull;
FrontEnd* gFrontEnd = nullptr;

std::string clip(std::string text) {
    if (text.size() > kAdvisorTextLimit) {
        text.resize(kAdvisorTextLimit);
    }
    return text;
}
}  // namespace

FrontEnd& frontEnd() {
    return gFrontEnd != nullptr ? *gFrontEnd : gNull;
}

FrontEndScope::FrontEndScope(FrontEnd& frontEnd) : previous_(gFrontEnd) {
    gFrontEnd = &frontEnd;
}

FrontEndScope::~FrontEndScope() {
    gFrontEnd = previous_;
}

void showMessage(const std::string& text) {
    frontEnd().showMessage(clip(text));
}

bool askYesNo(const std::string& text) {
    return frontEnd().askYesNo(clip(collapsePercents(text)));
}

std::string collapsePercents(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
        }
    }
    return out;
}

std::string formatText(const char* format, ...) {
    std::vector<char> buffer(kAdvisorTextLimit + 1);
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return std::string(buffer.data());
}

}  // namespace tessarion
