// 4 × 4 matrices as games and the 3D functions think of them: left-handed
// coordinates (x right, y up, z away from the eye in a view) and row
// vectors, so a point p becomes p × M and the product A × B applies A
// first, then B. The builders match the usual left-handed look-at,
// perspective and orthographic forms of that convention.
//
// The device speaks the other convention (column vectors, clip = P · V · W ·
// p, column-major storage); Matrix_ToDevice is the one place where a matrix
// crosses over.
#pragma once

struct RMatrix4 {
    double m[4][4]; // m[row][column]
};

RMatrix4 Matrix_Identity();
// a × b: a is applied first.
RMatrix4 Matrix_Multiply(const RMatrix4& a, const RMatrix4& b);
RMatrix4 Matrix_Translation(double x, double y, double z);
RMatrix4 Matrix_Scaling(double x, double y, double z);
// Angles in radians; positive turns y towards z (about x), z towards x
// (about y) and x towards y (about z).
RMatrix4 Matrix_RotationX(double angle);
RMatrix4 Matrix_RotationY(double angle);
RMatrix4 Matrix_RotationZ(double angle);
// About the axis (x, y, z), which need not have unit length.
RMatrix4 Matrix_RotationAxis(double x, double y, double z, double angle);

struct RVector3 {
    double x, y, z;
};
// The view from eye towards at, with up as the picture's up.
RMatrix4 Matrix_LookAt(const RVector3& eye, const RVector3& at, const RVector3& up);
// Perspective with a vertical field of view (radians) and width ÷ height.
RMatrix4 Matrix_PerspectiveFov(double fieldOfView, double aspect, double znear, double zfar);
// Perspective whose near plane shows w × h units.
RMatrix4 Matrix_Perspective(double w, double h, double znear, double zfar);
RMatrix4 Matrix_Orthographic(double w, double h, double znear, double zfar);

// What the device takes. A row-vector matrix stored row by row holds the
// same 16 numbers, in the same order, as its column-vector twin (the
// transpose) stored column by column, so the crossing is a copy; and A × B
// here is B · A there, which the device's P · V · W order already is.
void Matrix_ToDevice(const RMatrix4& matrix, float out[16]);
