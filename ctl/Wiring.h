#pragma once
// Builds the platform pieces a command needs: simulated ones with --simulate, real ones otherwise.
// Each function here is shared by several commands; add one when a second command needs it.
#include "ctl/Command.h"
