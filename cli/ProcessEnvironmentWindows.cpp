// The C runtime's copy of the environment is what getenv reads (in the device library's DLL
// too, which shares the C runtime); _putenv_s changes it and the process's own.
#include "ProcessEnvironment.h"

#include <cstdlib>

void SetProcessEnvironment(const std::string& name, const std::string& value) {
    _putenv_s(name.c_str(), value.c_str());  // an empty value removes the variable
}

void RemoveProcessEnvironment(const std::string& name) {
    _putenv_s(name.c_str(), "");
}
