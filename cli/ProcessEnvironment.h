// Setting and removing the process's environment variables, which the device library reads
// (Z9RT_HID and the others). Each platform has its own file.
#pragma once

#include <string>

// Sets `name` to `value` for this process and the programs it starts. An empty value removes
// the variable (Windows keeps no empty variables).
void SetProcessEnvironment(const std::string& name, const std::string& value);
void RemoveProcessEnvironment(const std::string& name);
