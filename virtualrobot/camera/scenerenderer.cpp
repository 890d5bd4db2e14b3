#include "virtualrobot/camera/scenerenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vr {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
// The distance the camera starts seeing at.
constexpr float kNear = 5;
// Distance covered by one step of the distance shade, in millimetres.
constexpr float kShadeStep = 24;

struct Vec3
{
    float x = 0;
    float y = 0;
    float z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

void put(std::uint8_t *pixel, Rgb colour, unsigned shade)
{
    pixel[0] = static_cast<std::uint8_t>((colour.r * shade) >> 8);
    pixel[1] = static_cast<std::uint8_t>((colour.g * shade) >> 8);
    pixel[2] = static_cast<std::uint8_t>((colour.b * shade) >> 8);
}

// Each wall has a colour and one feature (a poster, a door, a window) so that
// every direction of the room looks different.
struct Wall
{
    Rgb colour;
    Rgb feature;
    float alongMin, alongMax, heightMin, heightMax;
};
constexpr Wall kEastWall{{170, 190, 215}, {150, 60, 60}, 1050, 1650, 600, 1100};
constexpr Wall kWestWall{{175, 205, 170}, {150, 200, 250}, 900, 1800, 900, 1800};
constexpr Wall kNorthWall{{225, 215, 185}, {90, 90, 100}, 2200, 2900, 700, 1300};
constexpr Wall kSouthWall{{225, 190, 170}, {150, 110, 70}, 2400, 3200, 0, 2000};
constexpr Rgb kSkirting{235, 235, 228};
constexpr Rgb kCeiling{236, 236, 236};
constexpr Rgb kTileLight{188, 152, 112};
constexpr Rgb kTileDark{160, 126, 92};
constexpr float kSkirtingHeight = 70;
constexpr float kSeamSpacing = 900;
constexpr float kSeamWidth = 10;
constexpr float kTileSize = 300;

constexpr Rgb kBallColour{250, 140, 30};
constexpr Rgb kBonePink{255, 135, 190};
constexpr Rgb kStationBase{70, 72, 84};
constexpr Rgb kStationBack{200, 200, 206};
constexpr Rgb kStationLight{60, 230, 90};

// The step of the distance shade; clamped as a float, so that the
// conversion is a single instruction and never overflows.
std::size_t shadeStep(float distance)
{
    const float step = distance * (1 / kShadeStep);
    return step < 255.0f ? static_cast<std::size_t>(static_cast<int>(std::max(step, 0.0f))) : 255;
}

Rgb wallColour(const Wall &wall, float along, float height)
{
    if (height < kSkirtingHeight)
        return kSkirting;
    if (along >= wall.alongMin && along <= wall.alongMax && height >= wall.heightMin && height <= wall.heightMax)
        return wall.feature;
    if (along - static_cast<float>(static_cast<int>(along * (1 / kSeamSpacing))) * kSeamSpacing < kSeamWidth)
        return {static_cast<std::uint8_t>(wall.colour.r * 4 / 5), static_cast<std::uint8_t>(wall.colour.g * 4 / 5),
                static_cast<std::uint8_t>(wall.colour.b * 4 / 5)};
    return wall.colour;
}

Rgb floorColour(float x, float y)
{
    const int tile = static_cast<int>(x * (1 / kTileSize)) + static_cast<int>(y * (1 / kTileSize));
    return (tile & 1) ? kTileDark : kTileLight;
}

enum class Shape { Sphere, Capsule, Box };

// A sphere (centre a), a capsule (axis a to b) or an upright box (corners a
// and b), with its colour.
struct Part
{
    Shape shape = Shape::Sphere;
    Vec3 a;
    Vec3 b;
    float radius = 0;
    Rgb colour;
};

struct Hit
{
    float t = kInfinity;
    Vec3 normal;
    Rgb colour;
};

// Ray tests for a normalised direction; each keeps the nearer hit.
void hitSphere(Vec3 origin, Vec3 direction, const Part &part, Hit &hit)
{
    const Vec3 oc = origin - part.a;
    const float b = dot(oc, direction);
    const float c = dot(oc, oc) - part.radius * part.radius;
    const float h = b * b - c;
    if (h < 0)
        return;
    const float t = -b - std::sqrt(h);
    if (t <= 0 || t >= hit.t)
        return;
    hit = {t, (origin + direction * t - part.a) * (1 / part.radius), part.colour};
}

void hitCapsule(Vec3 origin, Vec3 direction, const Part &part, Hit &hit)
{
    const Vec3 ba = part.b - part.a;
    const Vec3 oa = origin - part.a;
    const float baba = dot(ba, ba);
    const float bard = dot(ba, direction);
    const float baoa = dot(ba, oa);
    const float rdoa = dot(direction, oa);
    const float oaoa = dot(oa, oa);
    const float a = baba - bard * bard;
    const float b = baba * rdoa - baoa * bard;
    const float c = baba * oaoa - baoa * baoa - part.radius * part.radius * baba;
    const float h = b * b - a * c;
    if (h < 0 || a <= 0)
        return;
    float t = (-b - std::sqrt(h)) / a;
    const float along = baoa + t * bard;
    if (along <= 0 || along >= baba) {
        const Vec3 oc = along <= 0 ? oa : origin - part.b;
        const float cb = dot(direction, oc);
        const float ch = cb * cb - (dot(oc, oc) - part.radius * part.radius);
        if (ch < 0)
            return;
        t = -cb - std::sqrt(ch);
    }
    if (t <= 0 || t >= hit.t)
        return;
    const Vec3 point = origin + direction * t;
    const float k = std::clamp(dot(point - part.a, ba) / baba, 0.0f, 1.0f);
    hit = {t, (point - part.a - ba * k) * (1 / part.radius), part.colour};
}

void hitBox(Vec3 origin, Vec3 direction, const Part &part, Hit &hit)
{
    float nearT = -kInfinity;
    float farT = kInfinity;
    int axis = 0;
    const float o[3] = {origin.x, origin.y, origin.z};
    const float d[3] = {direction.x, direction.y, direction.z};
    const float lo[3] = {part.a.x, part.a.y, part.a.z};
    const float hi[3] = {part.b.x, part.b.y, part.b.z};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(d[i]) < 1e-9f) {
            if (o[i] < lo[i] || o[i] > hi[i])
                return;
            continue;
        }
        float t0 = (lo[i] - o[i]) / d[i];
        float t1 = (hi[i] - o[i]) / d[i];
        if (t0 > t1)
            std::swap(t0, t1);
        if (t0 > nearT) {
            nearT = t0;
            axis = i;
        }
        farT = std::min(farT, t1);
    }
    if (nearT > farT || nearT <= 0 || nearT >= hit.t)
        return;
    float n[3] = {0, 0, 0};
    n[axis] = d[axis] > 0 ? -1.0f : 1.0f;
    hit = {nearT, {n[0], n[1], n[2]}, part.colour};
}

Vec3 floorPoint(Vec2 point, double height)
{
    return {static_cast<float>(point.x), static_cast<float>(point.y), static_cast<float>(height)};
}

} // namespace

struct SceneRenderer::Camera
{
    Vec3 position;
    Vec3 forward;
    Vec3 right;
    Vec3 up;
    float focal = 0;
};

// Something small in the room: a bounding sphere and up to five parts.
struct SceneRenderer::Thing
{
    Vec3 centre;
    float radius = 0;
    std::array<Part, 5> parts{};
    int count = 0;
};

SceneRenderer::SceneRenderer()
{
    const float focal = (kFrameWidth / 2.0f) / std::tan(kHorizontalFieldOfView / 2 * std::numbers::pi_v<float> / 180);
    for (int j = 0; j < kFrameWidth; ++j)
        m_columnX[j] = (static_cast<float>(j) + 0.5f - kFrameWidth / 2.0f) / focal;
    for (int i = 0; i < kFrameHeight; ++i)
        m_rowY[i] = (kFrameHeight / 2.0f - static_cast<float>(i) - 0.5f) / focal;
    for (std::size_t k = 0; k < m_distanceShade.size(); ++k)
        m_distanceShade[k] = static_cast<std::uint16_t>(256 - 110 * k / (m_distanceShade.size() - 1));
}

void SceneRenderer::render(const Scene &scene, std::uint8_t *rgb)
{
    const float yaw = static_cast<float>(scene.camera.yaw) * std::numbers::pi_v<float> / 180;
    const float pitch = static_cast<float>(scene.camera.pitch) * std::numbers::pi_v<float> / 180;
    const float cy = std::cos(yaw);
    const float sy = std::sin(yaw);
    const float cp = std::cos(pitch);
    const float sp = std::sin(pitch);
    Camera camera;
    // Keep the eye inside the room even if the model puts it on a wall.
    camera.position = {std::clamp(static_cast<float>(scene.camera.x), 1.0f, static_cast<float>(room::kWidth) - 1),
                       std::clamp(static_cast<float>(scene.camera.y), 1.0f, static_cast<float>(room::kDepth) - 1),
                       std::clamp(static_cast<float>(scene.camera.z), 1.0f, static_cast<float>(room::kHeight) - 1)};
    camera.forward = {cp * cy, cp * sy, sp};
    camera.right = {sy, -cy, 0};
    camera.up = {-sp * cy, -sp * sy, cp};
    camera.focal = 1 / (m_columnX[1] - m_columnX[0]);
    renderRoom(camera, rgb);

    Thing station;
    constexpr double middle = (room::kStationMinX + room::kStationMaxX) / 2;
    station.centre = {middle, (room::kStationMinY + room::kDepth) / 2, room::kStationBackHeight / 2};
    station.radius = std::hypot(room::kStationMaxX - middle, room::kDepth - station.centre.y, station.centre.z);
    station.parts[0] = {Shape::Box, {room::kStationMinX, room::kStationMinY, 0},
                        {room::kStationMaxX, room::kDepth, room::kStationBaseHeight}, 0, kStationBase};
    station.parts[1] = {Shape::Box, {room::kStationMinX, room::kStationBackMinY, 0},
                        {room::kStationMaxX, room::kDepth, room::kStationBackHeight}, 0, kStationBack};
    station.parts[2] = {Shape::Box,
                        {middle - room::kStationLightHalfWidth, room::kStationBackMinY - room::kStationLightDepth,
                         room::kStationLightMinZ},
                        {middle + room::kStationLightHalfWidth, room::kStationBackMinY, room::kStationLightMaxZ}, 0,
                        kStationLight};
    station.count = 3;
    renderThing(camera, station, rgb);

    Thing ball;
    ball.centre = floorPoint(scene.ball.position, room::kBallRadius);
    ball.radius = room::kBallRadius;
    ball.parts[0] = {Shape::Sphere, ball.centre, {}, room::kBallRadius, kBallColour};
    ball.count = 1;
    renderThing(camera, ball, rgb);

    // The bone: a shaft with two knobs at each end, side by side.
    const Vec3 centre = floorPoint(scene.bone.position, scene.bone.height);
    const float angle = static_cast<float>(scene.bone.angle) * std::numbers::pi_v<float> / 180;
    const Vec3 axis{std::cos(angle), std::sin(angle), 0};
    const Vec3 side{-axis.y, axis.x, 0};
    const Vec3 end = axis * room::kBoneHalfLength;
    const Vec3 knob = side * (room::kBoneKnobRadius * 0.8f);
    Thing bone;
    bone.centre = centre;
    bone.radius = room::kBoneHalfLength + 2 * room::kBoneKnobRadius;
    bone.parts[0] = {Shape::Capsule, centre - end, centre + end, room::kBoneShaftRadius, kBonePink};
    bone.parts[1] = {Shape::Sphere, centre + end + knob, {}, room::kBoneKnobRadius, kBonePink};
    bone.parts[2] = {Shape::Sphere, centre + end - knob, {}, room::kBoneKnobRadius, kBonePink};
    bone.parts[3] = {Shape::Sphere, centre - end + knob, {}, room::kBoneKnobRadius, kBonePink};
    bone.parts[4] = {Shape::Sphere, centre - end - knob, {}, room::kBoneKnobRadius, kBonePink};
    bone.count = 5;
    renderThing(camera, bone, rgb);
}

void SceneRenderer::renderRoom(const Camera &camera, std::uint8_t *rgb)
{
    const Vec3 eye = camera.position;
    const float toEast = static_cast<float>(room::kWidth) - eye.x;
    const float toNorth = static_cast<float>(room::kDepth) - eye.y;
    const float toCeiling = static_cast<float>(room::kHeight) - eye.z;
    const float columnStep = m_columnX[1] - m_columnX[0];
    std::uint8_t *pixel = rgb;
    float *depth = m_depth.data();
    for (int i = 0; i < kFrameHeight; ++i) {
        const float y = m_rowY[i];
        // Without roll, a row shares its vertical direction; only the
        // horizontal part of the ray changes along it.
        const Vec3 rowStart = camera.forward + camera.up * y + camera.right * m_columnX[0];
        const float dz = rowStart.z;
        const bool down = dz < 0;
        const float tz = std::fabs(dz) > 1e-6f ? (down ? -eye.z : toCeiling) / dz : kInfinity;
        float dx = rowStart.x;
        float dy = rowStart.y;
        const float stepX = camera.right.x * columnStep;
        const float stepY = camera.right.y * columnStep;
        // The room is convex: when the floor or ceiling holds both ends of
        // the row, it holds the whole row, at one distance and one shade.
        const float lastX = dx + stepX * (kFrameWidth - 1);
        const float lastY = dy + stepY * (kFrameWidth - 1);
        const auto inside = [&](float offsetX, float offsetY) {
            return offsetX > -eye.x && offsetX < toEast && offsetY > -eye.y && offsetY < toNorth;
        };
        if (tz < kInfinity && inside(tz * dx, tz * dy) && inside(tz * lastX, tz * lastY)) {
            const unsigned shade = m_distanceShade[shadeStep(tz)];
            for (int j = 0; j < kFrameWidth; ++j, pixel += 3, ++depth, dx += stepX, dy += stepY) {
                *depth = tz;
                put(pixel, down ? floorColour(eye.x + tz * dx, eye.y + tz * dy) : kCeiling, shade);
            }
            continue;
        }
        for (int j = 0; j < kFrameWidth; ++j, pixel += 3, ++depth, dx += stepX, dy += stepY) {
            // Distances to the wall planes the ray heads for, compared by
            // cross-multiplying, so that only a wall needs a division and
            // floor and ceiling need none.
            const float ax = dx > 0 ? toEast : eye.x;
            const float ay = dy > 0 ? toNorth : eye.y;
            const float adx = std::fabs(dx);
            const float ady = std::fabs(dy);
            float t = 0;
            Rgb colour;
            if (tz * adx < ax && tz * ady < ay) {
                t = tz;
                colour = down ? floorColour(eye.x + t * dx, eye.y + t * dy) : kCeiling;
            } else if (ax * ady < ay * adx) {
                t = ax / adx;
                colour = wallColour(dx > 0 ? kEastWall : kWestWall, eye.y + t * dy, eye.z + t * dz);
            } else {
                t = ay / ady;
                colour = wallColour(dy > 0 ? kNorthWall : kSouthWall, eye.x + t * dx, eye.z + t * dz);
            }
            *depth = t;
            put(pixel, colour, m_distanceShade[shadeStep(t)]);
        }
    }
}

void SceneRenderer::renderThing(const Camera &camera, const Thing &thing, std::uint8_t *rgb)
{
    const Vec3 offset = thing.centre - camera.position;
    const float depth = dot(offset, camera.forward);
    const float radius = thing.radius;
    if (depth + radius <= kNear)
        return;
    // Outside one of the four side planes of the view: nothing to draw.
    const float across = dot(offset, camera.right);
    const float upward = dot(offset, camera.up);
    const float halfWidth = kFrameWidth / 2.0f;
    const float halfHeight = kFrameHeight / 2.0f;
    const float slopeX = halfWidth / camera.focal;
    const float slopeY = halfHeight / camera.focal;
    const auto outside = [depth, radius](float side, float slope) {
        return (std::fabs(side) - slope * depth) / std::sqrt(1 + slope * slope) > radius;
    };
    if (outside(across, slopeX) || outside(upward, slopeY))
        return;
    int firstColumn = 0;
    int lastColumn = kFrameWidth - 1;
    int firstRow = 0;
    int lastRow = kFrameHeight - 1;
    if (depth - radius > kNear) {
        // The picture-plane box of the bounding sphere: the extremes of x/z
        // and y/z over the sphere's bounding cube.
        const auto bounds = [&](float centre) {
            const float low = centre - radius;
            const float high = centre + radius;
            return std::pair{low / (low >= 0 ? depth + radius : depth - radius),
                             high / (high >= 0 ? depth - radius : depth + radius)};
        };
        const auto [xMin, xMax] = bounds(across);
        const auto [yMin, yMax] = bounds(upward);
        firstColumn = std::max(0, static_cast<int>(std::floor(xMin * camera.focal + halfWidth - 1)));
        lastColumn = std::min(kFrameWidth - 1, static_cast<int>(std::ceil(xMax * camera.focal + halfWidth)));
        firstRow = std::max(0, static_cast<int>(std::floor(halfHeight - yMax * camera.focal - 1)));
        lastRow = std::min(kFrameHeight - 1, static_cast<int>(std::ceil(halfHeight - yMin * camera.focal)));
    }
    // Light from above, a little from the south-west.
    const Vec3 light{0.30f, 0.20f, 0.93f};
    // The picture-plane box is loose around a sphere: a ray that misses the
    // bounding sphere is passed over before any square root.
    const Vec3 fromCentre = camera.position - thing.centre;
    const float sphereTerm = dot(fromCentre, fromCentre) - radius * radius;
    for (int i = firstRow; i <= lastRow; ++i) {
        for (int j = firstColumn; j <= lastColumn; ++j) {
            const Vec3 ray = camera.forward + camera.up * m_rowY[i] + camera.right * m_columnX[j];
            const float along = dot(fromCentre, ray);
            const float squared = dot(ray, ray);
            if (along * along < squared * sphereTerm)
                continue;
            const float length = std::sqrt(squared);
            const Vec3 direction = ray * (1 / length);
            Hit hit;
            for (int k = 0; k < thing.count; ++k) {
                const Part &part = thing.parts[k];
                switch (part.shape) {
                case Shape::Sphere:
                    hitSphere(camera.position, direction, part, hit);
                    break;
                case Shape::Capsule:
                    hitCapsule(camera.position, direction, part, hit);
                    break;
                case Shape::Box:
                    hitBox(camera.position, direction, part, hit);
                    break;
                }
            }
            const std::size_t index = static_cast<std::size_t>(i) * kFrameWidth + j;
            const float t = hit.t / length;
            if (t >= m_depth[index])
                continue;
            m_depth[index] = t;
            const float diffuse = std::max(0.0f, dot(hit.normal, light));
            const auto shade = static_cast<unsigned>((0.45f + 0.55f * diffuse) * m_distanceShade[shadeStep(hit.t)]);
            put(rgb + index * 3, hit.colour, shade);
        }
    }
}

} // namespace vr
