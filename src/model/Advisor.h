#pragma once

#include <string>

namespace tessarion {

// The Praetorian Prefect: everything the rules tell the player and every
// yes/no question goes through here. With no advisor installed the rules run
// on silently and every question is answered No.
class Advisor {
  public:
    virtual ~Advisor() = default;
    virtual void showMessage(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
};

// The longest text a box holds (the rest is cut off).
inline constexpr std::size_t kAdvisorTextLimit = 511;

void setAdvisor(Advisor* advisor);
Advisor* currentAdvisor();

void showMessage(const std::string& text);

// The question text is shown as it stands except that "%%" reads as one
// percent sign; values are never formatted into it here.
bool askYesNo(const std::string& text);

// Callers that insert values into a text format it with this first.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%%" -> "%", every other character as it stands.
std::string collapsePercents(const std::string& text);

}  // namespace tessarion
