// The layout view's per-event costs: one drag step moving 1, 100 and 1 000 selected
// objects, and one full repaint of a 1024 x 768 canvas holding 1 000 objects.
#include "ZPLayoutView.h"
#include "ZPLayoutViewDelegate.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

namespace {

class FrameStore : public ZPLayoutViewDelegate {
public:
    std::unordered_map<ZPObject*, ZPRect> frames;

    ZPRect frameForObject(ZPObject* object) override { return frames[object]; }
    void drawObjectClipRect(ZPObject* object, const ZPRect&, QPainter& painter) override {
        const ZPRect& f = frames[object];
        painter.fillRect(QRectF(f.x, f.y, f.width, f.height), QColor(200, 200, 220));
    }
    bool respondsToSetFrameForObject() const override { return true; }
    void setFrameForObject(const ZPRect& frame, ZPObject* object) override {
        frames[object] = frame;
    }
};

// 1 000 objects of control size on a 1024 x 768 canvas.
struct Canvas {
    FrameStore delegate;
    ZPLayoutView view;
    std::vector<std::shared_ptr<ZPObject>> objects;

    Canvas() {
        view.setDelegate(&delegate);
        view.resize(1024, 768);
        std::mt19937 random(11);
        std::uniform_int_distribution<int> x(0, 1024 - 100);
        std::uniform_int_distribution<int> y(0, 768 - 30);
        std::uniform_int_distribution<int> width(16, 100);
        std::uniform_int_distribution<int> height(12, 30);
        for (int i = 0; i < 1000; ++i) {
            auto object = std::make_shared<ZPObject>();
            delegate.frames[object.get()] = ZPMakeRect(float(x(random)), float(y(random)),
                                                       float(width(random)), float(height(random)));
            view.addObject(object);
            objects.push_back(object);
        }
    }
};

void BM_DragStep(benchmark::State& state) {
    Canvas canvas;
    const auto count = size_t(state.range(0));
    // A click on an object that is not selected starts a move drag; the selection is
    // then made the first `count` objects, which the drag steps move.
    const ZPRect f = canvas.delegate.frames[canvas.objects[0].get()];
    const ZPPoint centre = ZPMakePoint(f.x + f.width * 0.5f, f.y + f.height * 0.5f);
    canvas.view.mouseDown(ZPEvent::mouse(centre));
    if (canvas.view.dragOperation() != ZPDragMove) {
        state.SkipWithError("the click did not start a move drag");
        return;
    }
    canvas.view.deselectAllObjects();
    for (size_t i = 0; i < count; ++i)
        canvas.view.selectObjectByExtendingSelection(canvas.objects[i].get(), true);
    float direction = 1.0f;
    for (auto _ : state) {
        canvas.view.mouseDragged(ZPEvent::mouse(centre, 0, direction, 0.0f));
        direction = -direction; // back and forth, so the layout stays the same
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(count));
}

void BM_FullRepaint(benchmark::State& state) {
    Canvas canvas;
    for (size_t i = 0; i < canvas.objects.size(); i += 10)
        canvas.view.selectObjectByExtendingSelection(canvas.objects[i].get(), true);
    QImage image(1024, 768, QImage::Format_RGB32);
    const ZPRect area = ZPMakeRect(0, 0, 1024, 768);
    for (auto _ : state) {
        QPainter painter(&image);
        canvas.view.drawRect(area, painter);
    }
}

} // namespace

BENCHMARK(BM_DragStep)->Arg(1)->Arg(100)->Arg(1000);
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
