#include "tank/fish/PartModel.h"

#include <GL/gl.h>

namespace quelmarine {

void PartModel::SetPartRotation(float degrees, float ax, float ay, float az) {
    MakeRotation(part, float(double(degrees) * 0.017453292519943295), ax, ay, az);
}

void PartModel::TransformPosition(float x, float y, float z, float out[3]) const {
    const float* p = part.m;
    out[0] = x * p[0] + y * p[4] + z * p[8] + p[12];
    out[1] = x * p[1] + y * p[5] + z * p[9] + p[13];
    out[2] = x * p[2] + y * p[6] + z * p[10] + p[14];
}

} // namespace quelmarine
