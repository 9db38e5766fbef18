#include "shapes.h"

#include <cmath>

#include "art_random.h"

namespace {

// Calls paint(x, y, dx, dy) for every pixel whose centre lies in the disc.
template <typename Paint>
void ForDisc(float cx, float cy, float radius, Paint paint) {
    int x0 = static_cast<int>(std::floor(cx - radius));
    int y0 = static_cast<int>(std::floor(cy - radius));
    int x1 = static_cast<int>(std::ceil(cx + radius));
    int y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / radius;
            float dy = (y + 0.5f - cy) / radius;
            if (dx * dx + dy * dy < 1) {
                paint(x, y, dx, dy);
            }
        }
    }
}

// The pixel a shape drawn at (x, y) lands on: across an edge it comes back in on the other
// side, or, for shapes kept inside, it is dropped (null).
Rgb* Target(CArtImage& image, int x, int y, bool wrap) {
    if (wrap) {
        return &image.Wrapped(x, y);
    }
    return image.Contains(x, y) ? &image.At(x, y) : nullptr;
}

void Darken(CArtImage& image, float cx, float cy, float radius, float factor, bool wrap) {
    ForDisc(cx, cy, radius, [&](int x, int y, float, float) {
        if (Rgb* pixel = Target(image, x, y, wrap)) {
            *pixel = *pixel * factor;
        }
    });
}

void Canopy(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed,
            bool wrap) {
    ForDisc(cx, cy, radius, [&](int x, int y, float dx, float dy) {
        float dz = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
        float light = -0.5f * dx - 0.55f * dy + 0.67f * dz;
        float shade = 0.45f + 0.75f * std::max(0.0f, light);
        shade *= 1 + 0.22f * (CArtRandom::Grain(x, y, seed) - 0.5f);
        if (Rgb* pixel = Target(image, x, y, wrap)) {
            *pixel = colour * shade;
        }
    });
}

void Tree(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed,
          bool wrap) {
    Point shadow = TreeShadowCentre(cx, cy, radius);
    Darken(image, shadow.x, shadow.y, radius, 0.6f, wrap);
    Canopy(image, cx, cy, radius, colour, seed, wrap);
}

}  // namespace

Point TreeShadowCentre(float cx, float cy, float radius) {
    return {cx + 0.35f * radius + 0.8f, cy + 0.45f * radius + 0.8f};
}

void DarkenDisc(CArtImage& image, float cx, float cy, float radius, float factor) {
    Darken(image, cx, cy, radius, factor, true);
}

void DrawCanopy(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed) {
    Canopy(image, cx, cy, radius, colour, seed, true);
}

void DrawTree(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed) {
    Tree(image, cx, cy, radius, colour, seed, true);
}

void DrawTreeInside(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed) {
    Tree(image, cx, cy, radius, colour, seed, false);
}

void FillRect(CArtImage& image, int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (image.Contains(x, y)) {
                image.At(x, y) = colour;
            }
        }
    }
}

void DarkenRect(CArtImage& image, int x0, int y0, int x1, int y1, float factor) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (image.Contains(x, y)) {
                image.At(x, y) = image.At(x, y) * factor;
            }
        }
    }
}

void DrawHouse(CArtImage& image, int x0, int y0, int x1, int y1, Rgb roof) {
    DarkenRect(image, x0 + 2, y0 + 2, x1 + 2, y1 + 2, 0.55f);
    bool ridgeAcross = (x1 - x0) >= (y1 - y0);
    int ridge = ridgeAcross ? (y0 + y1) / 2 : (x0 + x1) / 2;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int along = ridgeAcross ? y : x;
            float shade = along < ridge ? 1.18f : 0.78f;
            bool eave = x == x1 - 1 || y == y1 - 1;
            FillRect(image, x, y, x + 1, y + 1, roof * (eave ? shade * 0.8f : shade));
        }
    }
}
