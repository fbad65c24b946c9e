#pragma once

// The one list of zr's exported operations: X(Class, operation) per name, in header order.
// The digest, the concurrency test, the Python binding and the fuzz harnesses are derived from
// it; a new operation is added here once. `&ZR::Class::operation` is its member pointer, whose
// type carries the signature (inputs by value or const&, outputs by non-const & or pointer).
//
//   #define ROW(cls, op) visit(#cls "::" #op, &ZR::cls::op);
//   ZR_OPERATIONS(ROW)

#include "zr/zr.h"

// clang-format off
#define ZR_OPERATIONS(X) \
  X(mathCommon, eucDistancePoint22) \
  X(mathCommon, eucDistancePoint33) \
  X(mathCommon, vector3Norm) \
  X(mathCommon, vectorNorm1) \
  X(mathCommon, vector3NormSquare) \
  X(mathCommon, vectorUnitize) \
  X(mathCommon, vector3AngleRadian) \
  X(mathCommon, vector3AngleDegree) \
  X(mathCommon, cos3Vector) \
  X(mathCommon, dotProduct3) \
  X(mathCommon, crossVector3) \
  X(mathCommon, quaConju) \
  X(mathCommon, quaConjugate) \
  X(mathCommon, quaMulti) \
  X(mathCommon, quaIdentity) \
  X(mathCommon, quaInv) \
  X(mathCommon, qua2RMatrix) \
  X(mathCommon, rotation2Qua) \
  X(mathCommon, quaMat2AngleAxis) \
  X(mathCommon, qua2AngleAxis) \
  X(mathCommon, theatAngle2Qua) \
  X(mathCommon, euler2QuaDegree) \
  X(mathCommon, euler2QuaRadian) \
  X(mathCommon, qua2EulDegree) \
  X(mathCommon, qua2EulRadian) \
  X(mathCommon, rotm2EulDegree) \
  X(mathCommon, rotm2EulRadian) \
  X(mathCommon, rotm2RodVector) \
  X(mathCommon, rodVector2Rotm) \
  X(mathCommon, quaRotatePoint) \
  X(mathCommon, quaSlerp) \
  X(mathCommon, quaAngularDistance) \
  X(mathCommon, vectors2Qua) \
  X(mathCommon, alignVectors) \
  X(mathCommon, quaMean) \
  X(mathCommon, quaRandom) \
  X(foundationMath, rad2deg) \
  X(foundationMath, deg2rad) \
  X(foundationMath, cart2pol) \
  X(foundationMath, pol2cart) \
  X(foundationMath, angle) \
  X(foundationMath, rem) \
  X(foundationMath, factor) \
  X(foundationMath, factorial) \
  X(foundationMath, gcd) \
  X(foundationMath, lcm) \
  X(TrigonometricFunctionMath, sin) \
  X(TrigonometricFunctionMath, cos) \
  X(TrigonometricFunctionMath, sind) \
  X(TrigonometricFunctionMath, cosd) \
  X(TrigonometricFunctionMath, tan) \
  X(TrigonometricFunctionMath, tand) \
  X(TrigonometricFunctionMath, sec) \
  X(TrigonometricFunctionMath, secd) \
  X(TrigonometricFunctionMath, csc) \
  X(TrigonometricFunctionMath, cscd) \
  X(TrigonometricFunctionMath, cot) \
  X(TrigonometricFunctionMath, cotd) \
  X(TrigonometricFunctionMath, asin) \
  X(TrigonometricFunctionMath, asind) \
  X(TrigonometricFunctionMath, asinh) \
  X(TrigonometricFunctionMath, acosh) \
  X(TrigonometricFunctionMath, atanh) \
  X(TrigonometricFunctionMath, asech) \
  X(TrigonometricFunctionMath, acsch) \
  X(TrigonometricFunctionMath, acoth) \
  X(TrigonometricFunctionMath, sinh) \
  X(TrigonometricFunctionMath, cosh) \
  X(TrigonometricFunctionMath, tanh) \
  X(TrigonometricFunctionMath, coth) \
  X(TrigonometricFunctionMath, sech) \
  X(TrigonometricFunctionMath, csch) \
  X(geometryMath, circumCenter) \
  X(geometryMath, inCenter) \
  X(caculusMath, polyint) \
  X(caculusMath, polyder) \
  X(convolutionMath, conv) \
  X(convolutionMath, conv2) \
  X(mathMatrix, rotateMat) \
  X(mathMatrix, matrixMulmats) \
  X(mathMatrix, invMat) \
  X(mathMatrix, traceMat) \
  X(mathMatrix, detMatrix) \
  X(mathMatrix, prod) \
  X(mathMatrix, corr2) \
  X(mathMatrix, cov) \
  X(mathMatrix, dataCenter) \
  X(mathMatrix, zscore) \
  X(mathMatrix, ones) \
  X(mathMatrix, zeros) \
  X(mathMatrix, hilb) \
  X(mathMatrix, pascal2) \
  X(mathMatrix, vander) \
  X(mathMatrix, toeplitz) \
  X(mathMatrix, fiplr) \
  X(mathMatrix, fipud) \
  X(mathMatrix, tril) \
  X(mathMatrix, triu) \
  X(mathMatrix, rot90) \
  X(statisticsMath, mean) \
  X(statisticsMath, var) \
  X(statisticsMath, std) \
  X(statisticsMath, normalpdf) \
  X(statisticsMath, median) \
  X(SVD, compute) \
  X(Graph, bezier_n) \
  X(Graph, bezier_1) \
  X(Graph, bezier_2) \
  X(Graph, bezier_3) \
  X(Graph, convexHullGraham) \
  X(Graph, convexHullJarvis) \
  X(Graph, convexHullDivideConquer) \
  X(imageProcessing, getGaussianKernel) \
  X(imageProcessing, boxFilter) \
  X(imageProcessing, sobel) \
  X(imageProcessing, canny) \
  X(imageProcessing, rgbImage2Grayscale) \
  X(imageProcessing, imageBinaryzation) \
  X(imageProcessing, imageopen)
// clang-format on
