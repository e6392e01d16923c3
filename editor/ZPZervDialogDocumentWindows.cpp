// The document's windows: making them, keeping the canvas, the list and the
// inspector in step, resizing the dialog with its window, deleting and adding controls.
#include "ZPZervDialogEditorDocument.h"

#include "ZPContentsWindow.h"
#include "ZPControlListModel.h"
#include "ZPDocumentController.h"
#include "ZPInspector.h"
#include "ZPLayoutView.h"
#include "ZPNotificationCenter.h"
#include "ZPWindowController.h"
#include "ZPWindowMenus.h"
#include "ui_ZPDialogContents.h"
#include "ui_ZPDialogHeirarchy.h"

#include <QGuiApplication>
#include <QItemSelection>
#include <QMainWindow>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

QWidget* ZPZervDialogEditorDocument::heirarchyWindow() const {
    return heirarchyWindow_;
}

void ZPZervDialogEditorDocument::makeWindowControllers() {
    // The hierarchy window: the list of controls.
    auto* heirarchy = new QMainWindow;
    auto* listPane = new QWidget(heirarchy);
    Ui::ZPDialogHeirarchy heirarchyUi;
    heirarchyUi.setupUi(listPane);
    heirarchy->setCentralWidget(listPane);
    heirarchy->resize(listPane->size());
    controlList_ = heirarchyUi.controlList;
    listModel_ = new ZPControlListModel(this, controlList_);
    controlList_->setModel(listModel_);
    heirarchyWindow_ = heirarchy;

    // The contents window: the canvas at the dialog's size.
    auto* contents = new ZPContentsWindow;
    auto* canvas = new ZPLayoutView(contents);
    Ui::ZPDialogContents contentsUi;
    contentsUi.setupUi(canvas);
    contents->setCanvas(canvas);
    layoutView_ = canvas;
    layoutView_->setDelegate(this);
    contentsWindow_ = contents;

    ZPInstallWindowMenu(contents);
    ZPInstallWindowMenu(heirarchy);

    addWindowController(std::make_unique<ZPWindowController>(contents));
    addWindowController(std::make_unique<ZPWindowController>(heirarchy, tr(" — Controls")));

    contentsWindow_->setContentSize(dialogFrame().size());
    placeWindows(heirarchy, contents);
    registerControlsWithCanvas();
    subscribe();
}

void ZPZervDialogEditorDocument::placeWindows(QWidget* heirarchy, QWidget* contents) {
    // The list at the left, the canvas beside it; each further document a step down
    // and to the right, so that no document hides another completely.
    static int opened = 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int step = 28 * (opened++ % 8);
    const QPoint origin = area.topLeft() + QPoint(16 + step, 16 + step);
    heirarchy->move(origin);
    contents->move(origin + QPoint(heirarchy->width() + 16, 0));
}

void ZPZervDialogEditorDocument::registerControlsWithCanvas() {
    for (const ZPZervControlRef& control : controls())
        layoutView_->addObject(control);
}

void ZPZervDialogEditorDocument::subscribe() {
    ZPNotificationCenter& center = ZPNotificationCenter::defaultCenter();
    center.addObserver(this, ZPLayoutViewDidDeleteObjectNotification, nullptr,
                       [this](const ZPNotification& note) { respondToObjectDeleted(note); });
    subscribeToCanvas();
    subscribeToList();
    connect(contentsWindow_, &ZPContentsWindow::contentSizeChanged, this,
            &ZPZervDialogEditorDocument::dialogChangedSize);

    // Edits made in the inspector reach the canvas, the list and the edited mark.
    ZPInspector& inspector = *ZPInspector::defaultInspector();
    connect(&inspector, &ZPInspector::controlChanged, this,
            [this](ZPZervControl* control, ZPInspector::ControlChange what) {
                inspectorChangedControl(control, int(what));
            });
    connect(&inspector, &ZPInspector::documentChanged, this, [this](ZPZervDialogDocument* d) {
        if (d == static_cast<ZPZervDialogDocument*>(this))
            noteEdit();
    });
}

void ZPZervDialogEditorDocument::subscribeToCanvas() {
    ZPNotificationCenter::defaultCenter().addObserver(
        this, ZPLayoutViewSelectionDidChangeNotification, layoutView_.data(),
        [this](const ZPNotification& note) { updateSelection(note.object); });
}

void ZPZervDialogEditorDocument::subscribeToList() {
    listSubscription_ =
        connect(controlList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { updateSelection(controlList_.data()); });
}

void ZPZervDialogEditorDocument::unsubscribeFromList() {
    disconnect(listSubscription_);
}

void ZPZervDialogEditorDocument::updateSelection(const void* sender) {
    if (!layoutView_ || !controlList_)
        return;
    int count = 0;
    ZPObject* candidate = nullptr;
    if (sender == static_cast<const void*>(layoutView_.data())) {
        const std::vector<ZPObject*>& selected = layoutView_->selectedObjects();
        count = layoutView_->numberOfSelectedObjects();
        showCanvasSelectionInList();
        candidate = selected.empty() ? nullptr : selected.front();
    } else if (sender == static_cast<const void*>(controlList_.data())) {
        QModelIndexList rows = controlList_->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        count = int(rows.size());
        ZPNotificationCenter::defaultCenter().removeObserver(
            this, ZPLayoutViewSelectionDidChangeNotification, layoutView_.data());
        layoutView_->deselectAllObjects();
        for (const QModelIndex& row : rows) {
            candidate = listModel_->controlAtIndex(row);
            layoutView_->selectObjectByExtendingSelection(candidate, true);
        }
        subscribeToCanvas();
    } else {
        return;
    }

    ZPInspector& inspector = *ZPInspector::defaultInspector();
    if (count == 1 && candidate)
        inspector.setInspectedObject(candidate->shared_from_this());
    else
        inspector.setInspectedObject(self());
}

void ZPZervDialogEditorDocument::controlListChanged() {
    if (!listModel_)
        return;
    listModel_->reload();
    // The reset dropped the list's selection: show the canvas's again.
    showCanvasSelectionInList();
    if (inspectorShowsThisDocument())
        ZPInspector::defaultInspector()->refreshDialogInfo();
}

void ZPZervDialogEditorDocument::showCanvasSelectionInList() {
    if (!layoutView_ || !controlList_)
        return;
    unsubscribeFromList();
    QItemSelection rows;
    QModelIndex last;
    for (ZPObject* object : layoutView_->selectedObjects()) {
        const QModelIndex row = listModel_->indexForControl(dynamic_cast<ZPZervControl*>(object));
        if (row.isValid()) {
            rows.select(row, row);
            last = row;
        }
    }
    QItemSelectionModel* model = controlList_->selectionModel();
    model->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (last.isValid()) {
        model->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
        controlList_->scrollTo(last);
    }
    subscribeToList();
}

void ZPZervDialogEditorDocument::dialogChangedSize() {
    if (!contentsWindow_)
        return;
    const ZPRect d = dialogFrame();
    const QSize content = contentsWindow_->contentSize();
    const ZPBounds before = dialog().bounds();
    setDialogFrame(ZPMakeRect(d.x, d.y, float(content.width()), float(content.height())));
    if (dialog().bounds() != before) {
        noteEdit();
        if (inspectorShowsThisDocument())
            ZPInspector::defaultInspector()->refreshFrameFields();
    }
}

void ZPZervDialogEditorDocument::respondToObjectDeleted(const ZPNotification& notification) {
    const auto& list = controls();
    const auto it = std::find_if(list.begin(), list.end(), [&](const ZPZervControlRef& c) {
        return static_cast<const void*>(static_cast<ZPObject*>(c.get())) == notification.object;
    });
    if (it == list.end())
        return;                           // deleted on another document's canvas
    const ZPZervControlRef control = *it; // keep it alive while it is being let go
    removeControl(control.get());
    retargetInspectorAwayFrom(control.get());
    controlListChanged();
    noteEdit();
}

void ZPZervDialogEditorDocument::newControl() {
    const ZPRect dialogRect = dialogFrame();
    const float w = dialogRect.width, h = dialogRect.height;
    auto control = std::make_shared<ZPZervControl>(ZPControlRecord{}, "New Control");
    control->setTag(ZPControlTypeNew);
    control->setItemID(512);
    const float x = w * 0.5f - 20.0f;
    const float y = h * 0.5f - 15.0f;
    control->setFrame(ZPMakeRect(x, y, 40.0f, 30.0f));
    if (!addControl(control)) {
        ZPDocumentController::sharedDocumentController().presentError(
            tr("No control can be added to “%1”.").arg(displayName()),
            tr("A dialog tag file holds at most %1 controls.").arg(kMaxControlCount));
        return;
    }
    noteEdit();
    if (!layoutView_)
        return;
    layoutView_->addObject(control);
    layoutView_->selectObjectByExtendingSelection(control.get(), false);
    // The list gets the new row, and the list and the inspector follow the canvas.
    controlListChanged();
    ZPInspector::defaultInspector()->setInspectedObject(control);
}

void ZPZervDialogEditorDocument::deleteSelection() {
    if (layoutView_)
        layoutView_->keyDown(ZPEvent::key(ZPDeleteKeyCode));
}
