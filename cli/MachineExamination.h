// The part of `doctor` that looks at this machine's USB bus, device nodes and processes: one
// file per platform.
#pragma once

#include "DoctorFinding.h"

#include <string>
#include <vector>

namespace z9rt::cli {

// What the machine says about the keyboards of the family; the holders of the first keyboard's
// node go to `holders`, the node to `node`.
void ExamineMachine(std::vector<Finding>& findings, std::vector<Holder>& holders,
                    std::string& node);

}  // namespace z9rt::cli
