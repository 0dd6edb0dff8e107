#include "FieldDump.h"

#include <cmath>
#include <cstdio>

namespace {

// JSON has no NaN or infinity; null keeps the line parseable.
std::string number(float v)
{
    if (!std::isfinite(v))
        return "null";
    char text[32];
    snprintf(text, sizeof(text), "%.9g", static_cast<double>(v));
    return text;
}

std::string vector(const float* v, int n)
{
    std::string out = "[";
    for (int i = 0; i < n; ++i)
        out += (i ? "," : "") + number(v[i]);
    return out + "]";
}

struct ValueText {
    std::string operator()(const bool* v) const { return *v ? "true" : "false"; }
    std::string operator()(const int* v) const { return std::to_string(*v); }
    std::string operator()(const float* v) const { return number(*v); }
    std::string operator()(const vell::vec3* v) const
    {
        const float c[] = {v->x, v->y, v->z};
        return vector(c, 3);
    }
    std::string operator()(const vell::vec4* v) const
    {
        const float c[] = {v->x, v->y, v->z, v->w};
        return vector(c, 4);
    }
};

} // namespace

std::string FieldDump::line(float time, const std::vector<AnimatedField>& fields)
{
    std::string out = "{\"time\":" + number(time);
    for (const AnimatedField& field : fields)
        out += ",\"" + field.name + "\":" + std::visit(ValueText(), field.address);
    return out + "}";
}
