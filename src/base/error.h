#pragma once

#include <stdexcept>
#include <string>

namespace base {

// The one error type the logic raises when an operation cannot go on. The window layer's catch hands it
// to the application's error hook, which discards it: the operation simply ends.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace base
