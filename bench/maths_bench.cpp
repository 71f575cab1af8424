// The maths on per-frame paths: noise for every lightning segment, ray casts against bounding
// spheres, and frame composition for every attached object.
#include "core/GradientNoise.h"
#include "engine/Coords.h"
#include "engine/Ray.h"
#include "engine/Sphere.h"

#include <benchmark/benchmark.h>

namespace GAME {

static void BM_Noise1D(benchmark::State& state)
{
    float x = -300.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Noise1D(x));
        x += 0.37f;
        if (x > 300.0f)
            x = -300.0f;
    }
}
BENCHMARK(BM_Noise1D);

static void BM_Sphere_IntersectRay(benchmark::State& state)
{
    const Sphere sphere({0.0f, 0.5f, 10.0f}, 2.0f);
    // Alternate a hit and a miss so that both ends of the test are paid for.
    const Ray rays[] = {Ray({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}),
                        Ray({5.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f})};
    int which = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Sphere::IntersectRay(sphere, rays[which]));
        which ^= 1;
    }
}
BENCHMARK(BM_Sphere_IntersectRay);

static void BM_Coords_Compose(benchmark::State& state)
{
    Coords parent = Coords::RotationAboutAxis(0.3f, Vec3(0.0f, 1.0f, 0.0f));
    parent.origin = {1.0f, 2.0f, 3.0f};
    Coords child = Coords::RotationAboutAxis(-1.1f, Vec3(1.0f, 2.0f, 2.0f) / 3.0f);
    child.origin = {0.0f, 0.5f, 0.25f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(parent);
        benchmark::DoNotOptimize(parent * child);
    }
}
BENCHMARK(BM_Coords_Compose);

} // namespace GAME
