#pragma once

#include <stdexcept>
#include <string>

namespace tessarion {

// A state that correct play never reaches. Nothing in the rules catches it;
// the program's top level reports it and saves what it can.
class InternalError : public std::logic_error {
  public:
    explicit InternalError(const std::string& what) : std::logic_error(what) {}
};

// A lookup by name that failed (a province name from a damaged saved game).
// Callers that read untrusted names catch this one.
class NotFoundError : public InternalError {
  public:
    explicit NotFoundError(const std::string& what) : InternalError(what) {}
};

}  // namespace tessarion
