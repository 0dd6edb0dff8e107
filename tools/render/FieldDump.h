#pragma once

#include "anim/AnimatedField.h"

#include <string>
#include <vector>

// One JSON object per frame: the demo time and every animated field's value,
// keyed by field name. Floats carry enough digits to read back exactly.
class FieldDump {
public:
    static std::string line(float time, const std::vector<AnimatedField>& fields);
};
