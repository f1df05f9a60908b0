// SPDX-License-Identifier: GPL-3.0-or-later
// Forwards to the machine platform's own folder for the end-to-end suites that still include it from here.
#pragma once

#include "platform/machine/MachinePlatform.h"
