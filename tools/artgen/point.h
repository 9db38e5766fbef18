#pragma once

#include <cmath>

// A position in a cell's pixel coordinates; pixel (x, y) has its centre at (x + 0.5, y + 0.5).
struct Point {
    float x = 0;
    float y = 0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, float k) {
    return {a.x * k, a.y * k};
}
inline float Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
inline float Length(Point a) {
    return std::sqrt(Dot(a, a));
}
// The direction turned a quarter clockwise (on screen, y pointing down).
inline Point Perpendicular(Point a) {
    return {-a.y, a.x};
}
inline Point Normalised(Point a) {
    float length = Length(a);
    return length > 0 ? a * (1 / length) : a;
}
