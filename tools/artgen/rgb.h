#pragma once

#include <algorithm>

// A colour while painting: floating point channels on the 0-255 scale, rounded only at the end so
// that shading and blending do not band.
struct Rgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb k) {
    return {a.r * k.r, a.g * k.g, a.b * k.b};
}

inline float Clamp01(float t) {
    return std::clamp(t, 0.0f, 1.0f);
}

inline Rgb Mix(Rgb a, Rgb b, float t) {
    return a + (b - a) * t;
}

inline float SmoothStep(float edge0, float edge1, float x) {
    float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}
