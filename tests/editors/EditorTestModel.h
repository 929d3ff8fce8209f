#pragma once
// The editors' installation now lives with the other test configurations.
#include "support/PopulatedSettings.h"
