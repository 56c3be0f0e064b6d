#include "base/field_error.h"

namespace tracker {

EFieldError::EFieldError(std::string problem, std::string control)
    : EConvertError(WholeMessage{}, control.empty() ? problem : control + ": " + problem),
      problem_(std::move(problem)),
      control_(std::move(control)) {}

}  // namespace tracker
