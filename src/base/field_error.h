#pragma once
// A value that a field cannot hold. The encoders raise it; the window and the
// command line turn the control name into their own wording ("Main › Tow
// Time", "[Main] Tow Time"). It is a conversion error, so every path that
// stops a write on one stops on this too.

#include <string>

#include "base/str_to_int.h"

namespace tracker {

class EFieldError : public EConvertError {
 public:
  // problem: what is wrong and what is allowed, "300 is out of range 0–255".
  // control: the control the text came from; empty while still unknown.
  explicit EFieldError(std::string problem, std::string control = {});

  const std::string& problem() const { return problem_; }
  const std::string& control() const { return control_; }

  // The same refusal, named after its control.
  EFieldError named(const std::string& control) const { return EFieldError(problem_, control); }

 private:
  std::string problem_;
  std::string control_;
};

}  // namespace tracker
