#pragma once

// Every public zr header.

#include "zr/types.h"
#include "zr/mathCommon.h"
#include "zr/mathMatrix.h"
