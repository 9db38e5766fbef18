#pragma once

#include <array>
#include <cstdint>

// A scalar field over one 50 x 50 cell that repeats in both directions, so anything built from it
// continues without a seam into the next tile, whatever art that tile shows.
class CTileField {
  public:
    static constexpr int kSize = 50;

    CTileField() { values.fill(0); }

    // Fractal gradient noise, roughly in [-1, 1]: octaves with periodX x periodY lattice cells per
    // tile, doubling each octave, weighted by gain^octave.
    static CTileField Noise(uint32_t seed, int periodX, int periodY, int octaves, float gain);
    static CTileField Noise(uint32_t seed, int period, int octaves, float gain = 0.5f) {
        return Noise(seed, period, period, octaves, gain);
    }
    // Every value set to valueAt(x, y).
    template <typename ValueAt>
    static CTileField Made(ValueAt valueAt) {
        CTileField field;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                field.Ref(x, y) = valueAt(x, y);
            }
        }
        return field;
    }
    // Sharp crests in [0, 1]: 1 - |noise| per octave, multiplied down the octaves.
    static CTileField Ridges(uint32_t seed, int period, int octaves);
    // Mountain crests in [0, 1]: ridged noise whose finer octaves grow on the coarser crests.
    static CTileField Crests(uint32_t seed, int period, int octaves, float gain);

    // Any integer position; the field repeats.
    float At(int x, int y) const { return values[Wrap(y) * kSize + Wrap(x)]; }
    float& Ref(int x, int y) { return values[y * kSize + x]; }

    // This field near the tile's edges and `inner` in its middle (see EdgeWindow), so that every
    // variant of a type meets its neighbours with the same edge.
    CTileField WithInterior(const CTileField& inner) const;

  private:
    static int Wrap(int v) { return ((v % kSize) + kSize) % kSize; }

    std::array<float, kSize * kSize> values;
};

// How many pixels pixel (x, y) of a cell lies inside its nearest edge: 0 on the outer ring.
int EdgeDistance(int x, int y);

// 0 on the outer three pixels of a cell (and outside it), rising smoothly to 1 twelve pixels in.
// What a variant changes is weighted by it, so that the band next to the edges is shared by all
// variants of a type, and the measured middle half (12 to 36) is the variant's own.
float EdgeWindow(int x, int y);
