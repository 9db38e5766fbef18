#include "river_shape.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numbers>

#include "art_random.h"
#include "rgb.h"

namespace {

constexpr float kCell = 50;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kCurveSteps = 64;
constexpr float kEdgeMargin = 3;  // dry pixels kept between a shape and an edge it does not cross

int Opposite(int direction) {
    return (direction + 4) % 8;
}

std::vector<int> ExitDirections(uint8_t exits) {
    std::vector<int> directions;
    for (int direction : kRiverExitDirections) {
        if (exits & (1 << direction)) {
            directions.push_back(direction);
        }
    }
    return directions;
}

Point Bezier(Point p0, Point p1, Point p2, Point p3, float t) {
    float u = 1 - t;
    return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
}

}  // namespace

CRiverShape::CRiverShape(const RiverPieceInfo& piece, float halfWidth, float bankWidth)
    : halfWidth(halfWidth),
      bankWidth(bankWidth),
      variant(piece.variant),
      seed(CArtRandom::Hash(piece.exits, static_cast<uint32_t>(piece.shape), piece.variant)) {
    std::vector<int> directions = ExitDirections(piece.exits);
    switch (piece.shape) {
        case RiverPieceShape::kRun:
            BuildRun(piece.exits);
            break;
        case RiverPieceShape::kFork:
            BuildFork(piece.exits);
            break;
        case RiverPieceShape::kJunction:
            BuildJunction();
            break;
        case RiverPieceShape::kSource:
            BuildSource(directions.front());
            break;
        case RiverPieceShape::kMouth:
            BuildMouth(directions.front());
            break;
        case RiverPieceShape::kLake:
            BuildLake(piece.exits);
            break;
    }
}

Point CRiverShape::Inward(int direction) {
    switch (direction) {
        case 0:
            return {0, 1};
        case 2:
            return {-1, 0};
        case 4:
            return {0, -1};
        default:
            return {1, 0};
    }
}

Point CRiverShape::PortPoint(int direction) const {
    Point centre = {kCell / 2, kCell / 2};
    return centre - Inward(direction) * (kCell / 2);
}

Point CRiverShape::StubEnd(int direction) const {
    // Long enough that no other part of the piece comes near the edge beside the port.
    return PortPoint(direction) + Inward(direction) * (halfWidth + bankWidth + 1);
}

void CRiverShape::AddStub(int direction) {
    strokes.push_back({{PortPoint(direction), StubEnd(direction)}, {halfWidth, halfWidth}});
}

void CRiverShape::AddCurve(Point from, Point fromDirection, Point to, Point toDirection,
                           float meander, int waves, float endHalfWidth) {
    // Control points 0.39 of the chord out make a quarter turn a circular arc.
    float reach = Length(to - from) * 0.39f;
    Point c1 = from + fromDirection * reach;
    Point c2 = to - toDirection * reach;
    Stroke stroke;
    for (int i = 0; i <= kCurveSteps; ++i) {
        float t = static_cast<float>(i) / kCurveSteps;
        Point tangent = Normalised(Bezier(from, c1, c2, to, std::min(t + 0.01f, 1.0f)) -
                                   Bezier(from, c1, c2, to, std::max(t - 0.01f, 0.0f)));
        float envelope = std::pow(std::sin(kPi * t), 2.0f);
        float offset = meander * std::sin(kPi * waves * t) * envelope;
        stroke.points.push_back(Bezier(from, c1, c2, to, t) + Perpendicular(tangent) * offset);
        stroke.halfWidths.push_back(std::lerp(halfWidth, endHalfWidth, SmoothStep(0.25f, 1, t)));
    }
    strokes.push_back(std::move(stroke));
}

void CRiverShape::AddPortToPoint(int direction, Point end, float endHalfWidth) {
    AddStub(direction);
    Point start = StubEnd(direction);
    AddCurve(start, Inward(direction), end, Normalised(end - start), 0, 1, endHalfWidth);
}

Point CRiverShape::PointOnMainCurve(float t) const {
    const Stroke& main = strokes[1];  // strokes[0] is the stub the main curve starts from
    return main.points[static_cast<size_t>(t * (main.points.size() - 1))];
}

void CRiverShape::BuildRun(uint8_t exits) {
    std::vector<int> directions = ExitDirections(exits);
    int a = directions[0];
    int b = directions[1];
    if (b != Opposite(a)) {
        BuildBend(a, b);
        return;
    }
    // A straight run wanders a little, but crosses the middle of the tile on the midline: there
    // a run stacked across it brings its own water, and the two must meet as one.
    CArtRandom random(seed);
    constexpr float kMeanders[] = {0.5f, 0.7f, 0.3f, 0.0f, 0.45f};
    float meander = kMeanders[variant % 5] * (kCell / 2 - halfWidth - bankWidth - kEdgeMargin) *
                    0.3f * (random.Chance(0.5f) ? 1 : -1);
    AddStub(a);
    AddCurve(StubEnd(a), Inward(a), StubEnd(b), Inward(b) * -1, meander, 2, halfWidth);
    AddStub(b);
}

void CRiverShape::BuildBend(int a, int b) {
    // Along the midlines to near the middle, where the river turns: pieces stacked on the tile
    // share the arms to the edges and meet only where they turn.
    constexpr float kTurnRadii[] = {8, 11, 6, 13, 9.5f};
    float radius = kTurnRadii[variant % 5];
    Point middle = {kCell / 2, kCell / 2};
    Point turnIn = middle - Inward(a) * radius;
    Point turnOut = middle - Inward(b) * radius;
    AddStub(a);
    AddCurve(StubEnd(a), Inward(a), turnIn, Inward(a), 0, 1, halfWidth);
    AddCurve(turnIn, Inward(a), turnOut, Inward(b) * -1, 0, 1, halfWidth);
    AddCurve(turnOut, Inward(b) * -1, StubEnd(b), Inward(b) * -1, 0, 1, halfWidth);
    AddStub(b);
}

void CRiverShape::BuildFork(uint8_t exits) {
    int missing = std::countr_zero(static_cast<unsigned>(~exits & 0x55));
    int side = Opposite(missing);
    int a = (missing + 2) % 8;
    int b = Opposite(a);
    CArtRandom random(seed);
    AddStub(a);
    AddCurve(StubEnd(a), Inward(a), StubEnd(b), Inward(b) * -1, random.Range(-1.5f, 1.5f), 2,
             halfWidth);
    AddStub(b);
    // The side stream joins in the middle, where a run stacked on a straight one would join.
    Point join = PointOnMainCurve(random.Range(0.47f, 0.53f));
    AddPortToPoint(side, join, halfWidth * 0.9f);
}

void CRiverShape::BuildJunction() {
    CArtRandom random(seed);
    int a = variant == 1 ? 2 : 0;
    int b = Opposite(a);
    AddStub(a);
    AddCurve(StubEnd(a), Inward(a), StubEnd(b), Inward(b) * -1, random.Range(-2, 2), 2, halfWidth);
    AddStub(b);
    bool together = variant == 2;
    AddPortToPoint((a + 2) % 8, PointOnMainCurve(together ? 0.5f : 0.38f), halfWidth * 0.9f);
    AddPortToPoint((a + 6) % 8, PointOnMainCurve(together ? 0.5f : 0.62f), halfWidth * 0.9f);
}

void CRiverShape::BuildSource(int direction) {
    CArtRandom random(seed);
    Point side = Perpendicular(Inward(direction));
    Point centre = Point{kCell / 2, kCell / 2} + side * random.Range(-4, 4);
    if (variant == 0) {
        AddPortToPoint(direction, centre, halfWidth);
        pools.push_back({centre, halfWidth + 3.5f, 0.12f, random.Range(0, 6)});
    } else if (variant == 1) {
        Point end = centre + Inward(direction) * 4;
        AddPortToPoint(direction, end, std::max(1.0f, halfWidth * 0.2f));
        pools.push_back({end, std::max(1.5f, halfWidth * 0.35f), 0, 0});
    } else {
        // Springs in a wet hollow: small pools that run into each other and into the stream.
        Point end = PortPoint(direction) + Inward(direction) * (kCell * 0.42f);
        AddPortToPoint(direction, end, halfWidth * 0.8f);
        float radius = halfWidth * 0.55f + 2;
        Point at = end;
        for (int i = 0; i < 3; ++i) {
            pools.push_back({at, radius, 0.1f, random.Range(0, 6)});
            at = at + Normalised(side * random.Range(-1, 1) + Inward(direction)) * (radius * 1.4f);
        }
    }
}

void CRiverShape::BuildMouth(int direction) {
    CArtRandom random(seed);
    float endHalfWidth = halfWidth * 2.2f;
    Point inward = Inward(direction);
    Point side = Perpendicular(inward);
    float reach = kCell - kEdgeMargin - bankWidth - endHalfWidth;
    Point end = PortPoint(direction) + inward * reach;
    AddStub(direction);
    if (variant == 2) {
        // A bird's-foot delta: the channel splits in two before the open water.
        Point split = PortPoint(direction) + inward * (reach * 0.55f);
        AddCurve(StubEnd(direction), inward, split, inward, 0, 1, halfWidth * 1.2f);
        float spread = kCell / 2 - kEdgeMargin - bankWidth - endHalfWidth * 0.7f - 1;
        for (float sign : {-1.0f, 1.0f}) {
            Point tip = PortPoint(direction) + inward * (reach + endHalfWidth * 0.2f) +
                        side * (sign * spread * 0.7f);
            AddCurve(split, inward, tip, Normalised(tip - split), 0, 1, endHalfWidth * 0.7f);
        }
        return;
    }
    AddCurve(StubEnd(direction), inward, end, inward, variant == 1 ? random.Range(-3, 3) : 0, 1,
             endHalfWidth);
    int barCount = 2 + variant;
    for (int i = 0; i < barCount; ++i) {
        float across = (i - (barCount - 1) / 2.0f) * endHalfWidth * 0.55f;
        Point centre = end - inward * (endHalfWidth * random.Range(0.0f, 0.35f)) + side * across;
        bars.push_back({centre, endHalfWidth * random.Range(0.16f, 0.24f)});
    }
}

void CRiverShape::BuildLake(uint8_t exits) {
    CArtRandom random(seed);
    Point centre = {kCell / 2, kCell / 2};
    float radius = halfWidth * 1.3f + 6.5f;
    if (exits == 0) {
        radius *= 0.8f;
    }
    pools.push_back({centre, radius, 0.12f, random.Range(0, 6)});
    for (int direction : ExitDirections(exits)) {
        AddPortToPoint(direction, centre, halfWidth);
    }
}

float CRiverShape::StrokeClearance(const Stroke& stroke, Point p, float& width) {
    float best = std::numeric_limits<float>::max();
    for (size_t i = 0; i + 1 < stroke.points.size(); ++i) {
        Point a = stroke.points[i];
        Point ab = stroke.points[i + 1] - a;
        float lengthSquared = std::max(Dot(ab, ab), 1e-6f);
        float t = std::clamp(Dot(p - a, ab) / lengthSquared, 0.0f, 1.0f);
        float w = std::lerp(stroke.halfWidths[i], stroke.halfWidths[i + 1], t);
        float clearance = Length(p - (a + ab * t)) - w;
        if (clearance < best) {
            best = clearance;
            width = w;
        }
    }
    return best;
}

float CRiverShape::PoolClearance(const Pool& pool, Point p) {
    Point d = p - pool.centre;
    float angle = std::atan2(d.y, d.x);
    float shore = pool.radius * (1 + pool.wobble * (0.6f * std::sin(3 * angle + pool.phase) +
                                                    0.4f * std::sin(5 * angle + 2 * pool.phase)));
    return Length(d) - shore;
}

RiverSample CRiverShape::Sample(Point p) const {
    RiverSample sample = {std::numeric_limits<float>::max(), 0};
    for (const Stroke& stroke : strokes) {
        float width = halfWidth;
        float clearance = StrokeClearance(stroke, p, width);
        sample.clearance = std::min(sample.clearance, clearance);
        sample.depth = std::max(sample.depth, -clearance / width);
    }
    for (const Pool& pool : pools) {
        float clearance = PoolClearance(pool, p);
        sample.clearance = std::min(sample.clearance, clearance);
        sample.depth = std::max(sample.depth, -clearance / (pool.radius * 0.6f));
    }
    for (const Bar& bar : bars) {
        if (sample.clearance < 0 && Length(p - bar.centre) < bar.radius) {
            sample = {bankWidth * 0.25f, 0};
        }
    }
    sample.depth = Clamp01(sample.depth);
    return sample;
}
