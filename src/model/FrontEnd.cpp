#include "model/FrontEnd.h"
#include "model/World.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tessarion {

namespace {
std::string clip(std::string text) {
    if (text.size() > kAdvisorTextLimit) {
        text.resize(kAdvisorTextLimit);
    }
    return text;
}
}  // namespace

FrontEndScope::FrontEndScope(World& world, FrontEnd& frontEnd)
    : world_(world), previous_(world.installFrontEnd(&frontEnd)) {}

FrontEndScope::~FrontEndScope() {
    world_.installFrontEnd(previous_);
}

void showMessage(World& world, const std::string& text) {
    world.frontEnd().showMessage(clip(text));
}

bool askYesNo(World& world, const std::string& text, const Question& question) {
    return world.frontEnd().askYesNo(clip(collapsePercents(text)), question);
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
