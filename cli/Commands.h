// The tool's commands. Each returns normally on success and throws CommandFailure otherwise;
// results go to standard output, progress and failures to standard error.
#pragma once

#include "CommandLine.h"

namespace z9rt::cli {

void RunList(const CommandLine& line);
void RunInfo(const CommandLine& line);
void RunDefaults(const CommandLine& line);
void RunShow(const CommandLine& line);
void RunWriteKeys(const CommandLine& line);
void RunWriteLights(const CommandLine& line);
void RunRead(const CommandLine& line);
void RunCounters(const CommandLine& line);
void RunFirmware(const CommandLine& line);
void RunSet(const CommandLine& line);
void RunColor(const CommandLine& line);
void RunNames(const CommandLine& line);
void RunDiff(const CommandLine& line);
void RunDoctor(const CommandLine& line);

}  // namespace z9rt::cli
