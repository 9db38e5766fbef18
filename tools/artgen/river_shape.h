#pragma once

#include <cstdint>
#include <vector>

#include "art/river_piece_table.h"
#include "point.h"

// What a river piece covers at a point: water where clearance < 0 (depth 0 at the bank, 1 in the
// deepest part), the bank where 0 <= clearance < bank width, dry land beyond.
struct RiverSample {
    float clearance;
    float depth;
};

// The outline of one river piece: strokes along centre lines, round pools and lakes, and sand
// bars left dry inside the water. Where a piece meets a tile edge its stroke runs straight out
// through the edge's midpoint with the kind's half width, so all pieces of a kind connect.
class CRiverShape {
  public:
    CRiverShape(const RiverPieceInfo& piece, float halfWidth, float bankWidth);

    RiverSample Sample(Point p) const;

  private:
    struct Stroke {
        std::vector<Point> points;
        std::vector<float> halfWidths;
    };
    struct Pool {
        Point centre;
        float radius;
        float wobble;  // relative change of the radius around the shore
        float phase;
    };
    struct Bar {
        Point centre;
        float radius;
    };

    // Straight from the edge midpoint of an exit direction to the start of the curved part.
    Point PortPoint(int direction) const;
    Point StubEnd(int direction) const;
    static Point Inward(int direction);

    void AddCurve(Point from, Point fromDirection, Point to, Point toDirection, float meander,
                  int waves, float endHalfWidth);
    void AddStub(int direction);
    void AddPortToPoint(int direction, Point end, float endHalfWidth);
    Point PointOnMainCurve(float t) const;

    void BuildRun(uint8_t exits);
    void BuildBend(int a, int b);
    void BuildFork(uint8_t exits);
    void BuildJunction();
    void BuildSource(int direction);
    void BuildMouth(int direction);
    void BuildLake(uint8_t exits);

    static float StrokeClearance(const Stroke& stroke, Point p, float& halfWidth);
    static float PoolClearance(const Pool& pool, Point p);

    float halfWidth;
    float bankWidth;
    uint8_t variant;
    uint32_t seed;
    std::vector<Stroke> strokes;
    std::vector<Pool> pools;
    std::vector<Bar> bars;
};
