#pragma once
// The environment as the desktop folders are found from it, passed in so that tests
// can give their own.

#include <cstdlib>
#include <functional>

namespace vandor {

// Reads an environment variable; nullptr when it is not set.
using TEnvironment = std::function<const char*(const char* name)>;

inline TEnvironment ProcessEnvironment() {
    return [](const char* name) { return std::getenv(name); };
}

}  // namespace vandor
