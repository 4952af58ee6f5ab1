#include "core/clock.h"

double ease(float a, float b, float t)
{
    if (t < a) return 0.0;
    if (t >= b) return 1.0;
    const double x = (static_cast<double>(t) - a) / (static_cast<double>(b) - a);
    return (3.0 - 2.0 * x) * x * x;
}
