// Building and multiplying left-handed row-vector matrices.
#include "graphics/Matrix3D.h"

#include <cmath>

namespace {

RVector3 Normalize(const RVector3& v)
{
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

RVector3 Cross(const RVector3& a, const RVector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const RVector3& a, const RVector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

RMatrix4 Zero()
{
    return RMatrix4{};
}

} // namespace

RMatrix4 Matrix_Identity()
{
    RMatrix4 r = Zero();
    for (int k = 0; k < 4; ++k)
        r.m[k][k] = 1;
    return r;
}

RMatrix4 Matrix_Multiply(const RMatrix4& a, const RMatrix4& b)
{
    RMatrix4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[row][k] * b.m[k][col];
            r.m[row][col] = sum;
        }
    return r;
}

RMatrix4 Matrix_Translation(double x, double y, double z)
{
    RMatrix4 r = Matrix_Identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

RMatrix4 Matrix_Scaling(double x, double y, double z)
{
    RMatrix4 r = Matrix_Identity();
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

RMatrix4 Matrix_RotationX(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    RMatrix4 r = Matrix_Identity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

RMatrix4 Matrix_RotationY(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    RMatrix4 r = Matrix_Identity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

RMatrix4 Matrix_RotationZ(double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    RMatrix4 r = Matrix_Identity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

RMatrix4 Matrix_RotationAxis(double x, double y, double z, double angle)
{
    // A zero axis gives no numbers to turn about; the matrix then holds
    // NaN, which draws nothing, as a broken transform should.
    const RVector3 a = Normalize({x, y, z});
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    RMatrix4 r = Matrix_Identity();
    r.m[0][0] = t * a.x * a.x + c;
    r.m[0][1] = t * a.x * a.y + s * a.z;
    r.m[0][2] = t * a.x * a.z - s * a.y;
    r.m[1][0] = t * a.x * a.y - s * a.z;
    r.m[1][1] = t * a.y * a.y + c;
    r.m[1][2] = t * a.y * a.z + s * a.x;
    r.m[2][0] = t * a.x * a.z + s * a.y;
    r.m[2][1] = t * a.y * a.z - s * a.x;
    r.m[2][2] = t * a.z * a.z + c;
    return r;
}

RMatrix4 Matrix_LookAt(const RVector3& eye, const RVector3& at, const RVector3& up)
{
    const RVector3 zaxis = Normalize({at.x - eye.x, at.y - eye.y, at.z - eye.z});
    const RVector3 xaxis = Normalize(Cross(up, zaxis));
    const RVector3 yaxis = Cross(zaxis, xaxis);
    RMatrix4 r = Matrix_Identity();
    const RVector3 axes[3] = {xaxis, yaxis, zaxis};
    for (int k = 0; k < 3; ++k) {
        r.m[0][k] = axes[k].x;
        r.m[1][k] = axes[k].y;
        r.m[2][k] = axes[k].z;
        r.m[3][k] = -Dot(axes[k], eye);
    }
    return r;
}

RMatrix4 Matrix_PerspectiveFov(double fieldOfView, double aspect, double znear, double zfar)
{
    const double yscale = 1 / std::tan(fieldOfView / 2);
    RMatrix4 r = Zero();
    r.m[0][0] = yscale / aspect;
    r.m[1][1] = yscale;
    r.m[2][2] = zfar / (zfar - znear);
    r.m[2][3] = 1;
    r.m[3][2] = -znear * zfar / (zfar - znear);
    return r;
}

RMatrix4 Matrix_Perspective(double w, double h, double znear, double zfar)
{
    RMatrix4 r = Zero();
    r.m[0][0] = 2 * znear / w;
    r.m[1][1] = 2 * znear / h;
    r.m[2][2] = zfar / (zfar - znear);
    r.m[2][3] = 1;
    r.m[3][2] = znear * zfar / (znear - zfar);
    return r;
}

RMatrix4 Matrix_Orthographic(double w, double h, double znear, double zfar)
{
    RMatrix4 r = Matrix_Identity();
    r.m[0][0] = 2 / w;
    r.m[1][1] = 2 / h;
    r.m[2][2] = 1 / (zfar - znear);
    r.m[3][2] = znear / (znear - zfar);
    return r;
}

void Matrix_ToDevice(const RMatrix4& matrix, float out[16])
{
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            out[row * 4 + col] = static_cast<float>(matrix.m[row][col]);
}
