// The program's one configuration, in a file of its own so that programs and tests that build
// their own configurations do not get a second one.
#include "model/KeyboardConfig.h"

namespace model {

CKeyboardConfig theConfig;

}  // namespace model
