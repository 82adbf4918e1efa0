#include "tank/fish/Matrix4.h"

#include <cmath>

namespace quelmarine {

const Matrix4 kIdentityMatrix = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

void SetIdentity(Matrix4& m) {
    m = kIdentityMatrix;
}

Matrix4& MakeRotation(Matrix4& m, float angle, float ax, float ay, float az) {
    const long double len =
        std::sqrt((long double)ax * ax + (long double)ay * ay + (long double)az * az);
    if (len == 0.0L) {
        SetIdentity(m);
        return m;
    }
    m[3] = m[7] = m[11] = m[12] = m[13] = m[14] = 0.0f;
    m[15] = 1.0f;
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    const float x = float(ax / len), y = float(ay / len), z = float(az / len);
    m[0] = c + t * x * x;
    m[4] = t * x * y - s * z;
    m[8] = t * x * z + s * y;
    m[1] = t * x * y + s * z;
    m[5] = c + t * y * y;
    m[9] = t * y * z - s * x;
    m[2] = t * x * z - s * y;
    m[6] = t * y * z + s * x;
    m[10] = c + t * z * z;
    return m;
}

} // namespace quelmarine
