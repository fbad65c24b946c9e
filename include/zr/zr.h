#pragma once

// Every public zr header.

#include "zr/types.h"
#include "zr/mathCommon.h"
#include "zr/mathMatrix.h"
#include "zr/statisticsMath.h"
#include "zr/SVD.h"
#include "zr/imageProcessing.h"
#include "zr/Graph.h"
#include "zr/foundationMath.h"
#include "zr/TrigonometricFunctionMath.h"
#include "zr/geometryMath.h"
#include "zr/caculusMath.h"
#include "zr/convolutionMath.h"
