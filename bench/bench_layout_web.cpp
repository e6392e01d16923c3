// Hit testing through the layout web against a plain scan over every frame, for
// canvases of 1 000 and 32 767 objects spread over 4096 x 4096 units.
#include "ZPLayoutUtilities.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr float canvasSize = 4096.0f;
constexpr size_t pointCount = 1024;

bool containsPoint(const ZPRect& r, ZPPoint p) {
    // The web's rule: all four edges belong to the frame.
    return r.x <= p.x && p.x <= r.x + r.width && r.y <= p.y && p.y <= r.y + r.height;
}

struct Scene {
    std::vector<ZPRect> frames;
    std::vector<ZPLayoutNode*> nodes;
    ZPLayoutWeb* web = nullptr;
    std::vector<ZPPoint> onObjects;
    std::vector<ZPPoint> onEmptySpace;
    std::vector<ZPPoint> nearby; // on objects, each click close to the one before

    explicit Scene(size_t count) {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> position(0.0f, canvasSize - 100.0f);
        std::uniform_int_distribution<int> width(16, 100);
        std::uniform_int_distribution<int> height(12, 30);
        for (size_t i = 0; i < count; ++i)
            frames.push_back(ZPMakeRect(std::floor(position(random)), std::floor(position(random)),
                                        float(width(random)), float(height(random))));
        // Filed left to right, as a file's controls often are; a random order makes
        // only the set-up slower, not the hit tests.
        std::vector<ZPRect> filed = frames;
        std::sort(filed.begin(), filed.end(),
                  [](const ZPRect& a, const ZPRect& b) { return a.x < b.x; });
        web = ZPLayoutWebCreate();
        for (const ZPRect& frame : filed) {
            ZPLayoutNode* node = ZPLayoutNodeCreate(std::make_shared<ZPObject>());
            ZPLayoutNodeSetFrame(node, frame);
            ZPLayoutWebInsertNode(node, web);
            nodes.push_back(node);
        }
        std::uniform_int_distribution<size_t> pick(0, count - 1);
        while (onObjects.size() < pointCount) {
            const ZPRect& r = frames[pick(random)];
            onObjects.push_back(ZPMakePoint(r.x + r.width * 0.5f, r.y + r.height * 0.5f));
        }
        nearby = onObjects;
        std::sort(nearby.begin(), nearby.end(), [](ZPPoint a, ZPPoint b) { return a.x < b.x; });
        std::uniform_real_distribution<float> anywhere(0.0f, canvasSize);
        while (onEmptySpace.size() < pointCount) {
            const ZPPoint p = ZPMakePoint(anywhere(random), anywhere(random));
            if (std::none_of(frames.begin(), frames.end(),
                             [&](const ZPRect& r) { return containsPoint(r, p); }))
                onEmptySpace.push_back(p);
        }
    }
    ~Scene() {
        for (ZPLayoutNode* node : nodes) {
            ZPLayoutWebRemoveNode(node, web);
            ZPLayoutNodeDestroy(node);
        }
        ZPLayoutWebDestroy(web);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
};

Scene& sceneOf(size_t count) {
    static Scene small(1000);
    static Scene large(32767);
    return count == 1000 ? small : large;
}

void runWeb(benchmark::State& state, const std::vector<ZPPoint>& points, ZPLayoutWeb* web) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZPLayoutWebNodeAtPoint(web, points[i]));
        i = (i + 1) % points.size();
    }
}

void runScan(benchmark::State& state, const std::vector<ZPPoint>& points,
             const std::vector<ZPRect>& frames) {
    size_t i = 0;
    for (auto _ : state) {
        const ZPPoint p = points[i];
        const auto hit = std::find_if(frames.begin(), frames.end(),
                                      [&](const ZPRect& r) { return containsPoint(r, p); });
        benchmark::DoNotOptimize(hit);
        i = (i + 1) % points.size();
    }
}

void BM_WebHitOnObject(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runWeb(state, scene.onObjects, scene.web);
}
void BM_ScanHitOnObject(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runScan(state, scene.onObjects, scene.frames);
}
void BM_WebHitOnEmptySpace(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runWeb(state, scene.onEmptySpace, scene.web);
}
void BM_ScanHitOnEmptySpace(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runScan(state, scene.onEmptySpace, scene.frames);
}

// Clicks that follow each other across the canvas, as a user working in one area
// makes them: the web's walks start where the last one stopped.
void BM_WebHitNearby(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runWeb(state, scene.nearby, scene.web);
}
void BM_ScanHitNearby(benchmark::State& state) {
    Scene& scene = sceneOf(size_t(state.range(0)));
    runScan(state, scene.nearby, scene.frames);
}

} // namespace

BENCHMARK(BM_WebHitOnObject)->Arg(1000)->Arg(32767);
BENCHMARK(BM_ScanHitOnObject)->Arg(1000)->Arg(32767);
BENCHMARK(BM_WebHitOnEmptySpace)->Arg(1000)->Arg(32767);
BENCHMARK(BM_ScanHitOnEmptySpace)->Arg(1000)->Arg(32767);
BENCHMARK(BM_WebHitNearby)->Arg(1000)->Arg(32767);
BENCHMARK(BM_ScanHitNearby)->Arg(1000)->Arg(32767);

BENCHMARK_MAIN();
