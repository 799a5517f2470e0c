#include "ProcessEnvironment.h"

#include <cstdlib>

void SetProcessEnvironment(const std::string& name, const std::string& value) {
    if (value.empty()) {
        RemoveProcessEnvironment(name);
        return;
    }
    setenv(name.c_str(), value.c_str(), 1);
}

void RemoveProcessEnvironment(const std::string& name) {
    unsetenv(name.c_str());
}
