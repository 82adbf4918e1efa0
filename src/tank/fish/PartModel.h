#pragma once
// What every fish model shares (the main fish and the food fish): the part matrix that bends
// one mesh part and pushes a vertex through it in software.

#include "tank/fish/Matrix4.h"

namespace quelmarine {

class PartModel {
  public:
    virtual ~PartModel() = default;

    // Part matrix = rotation by `degrees` about (ax, ay, az).
    void SetPartRotation(float degrees, float ax, float ay, float az);
    // The position (x, y, z) through the part matrix.
    void TransformPosition(float x, float y, float z, float out[3]) const;

    const Matrix4& partMatrix() const { return part; }

  protected:
    Matrix4 part = kIdentityMatrix;
};

} // namespace quelmarine
