// What the windowed program's scenarios need of the rig: the gadget keyboard's control socket
// and the folder of the rig's programs, both from the environment the scenario sets.
#pragma once

#include <QString>
#include <QStringList>

namespace rig {

// Sends a command to the gadget keyboard (Z9RT_RIG_CONTROL); its answer, "ok ..." or
// "error: ...".
QString TellKeyboard(const QString& command);

// A rig program or z9rtctl beside this one.
QString ProgramBeside(const QString& name);

}  // namespace rig
