#include "keydefine/COrvo.h"

COrvo::COrvo(COrvoUtil& deviceChannel) : channel(deviceChannel) {}
