#include "MachineExamination.h"

namespace z9rt::cli {

// The USB bus, the device nodes and who may open them are looked at on Linux only; on Windows
// the device library's own search below is the whole examination.
void ExamineMachine(std::vector<Finding>& findings, std::vector<Holder>& /*holders*/,
                    std::string& /*node*/) {
    findings.push_back({false, "not-examined",
                        "the USB bus and device permissions are examined on Linux only", ""});
}

}  // namespace z9rt::cli
