// SPDX-License-Identifier: GPL-3.0-or-later
// Forwards to the shared rules' folder for the test support that still includes it from here.
#pragma once

#include "platform/common/TitleMatch.h"
