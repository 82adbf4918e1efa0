#pragma once
// The 4x4 part matrix of the fish models: 16 floats, column-major (OpenGL's order), so the
// element in row r and column c is at index 4 * c + r and indices 12 ... 14 hold the translation.

namespace quelmarine {

struct Matrix4 {
    float m[16];
    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};

// The constant identity every SetIdentity copies.
extern const Matrix4 kIdentityMatrix;

// Copies the identity into `m`.
void SetIdentity(Matrix4& m);

// Axis-angle rotation, right-handed (counter-clockwise for a positive angle when looking down
// the axis toward the origin); `angle` in radians. A zero axis gives the identity.
Matrix4& MakeRotation(Matrix4& m, float angle, float ax, float ay, float az);

} // namespace quelmarine
