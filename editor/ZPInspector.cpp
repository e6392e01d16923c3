#include "ZPInspector.h"

#include "ZPBounds.h"

#include "ZPNumberText.h"
#include "ZPZervControl.h"
#include "ZPZervDialogDocument.h"
#include "ui_ControlInspector.h"
#include "ui_DialogInspector.h"
#include "ui_Inspector.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

// The resources live in a static library; nothing else would pull them into a program.
static void initInspectorResources() {
    Q_INIT_RESOURCE(inspector);
}

namespace {
ZPInspector* sharedInspector = nullptr;
}

ZPInspector* ZPInspector::defaultInspector() {
    // Never destroyed while the application runs; the panel is a top-level window that
    // must not outlive the application object, so it is not tied to its destruction.
    if (!sharedInspector)
        sharedInspector = new ZPInspector;
    return sharedInspector;
}

ZPInspector::ZPInspector(QObject* parent) : QObject(parent) {
    initInspectorResources();
    // So that the change signals can be queued and spied on.
    qRegisterMetaType<ZPZervControl*>();
    qRegisterMetaType<ZPZervDialogDocument*>();
}

ZPInspector::~ZPInspector() {
    if (sharedInspector == this)
        sharedInspector = nullptr;
}

QWidget* ZPInspector::panel() {
    loadPanel();
    return panel_.get();
}

void ZPInspector::setPanelMenuBar(QMenuBar* menuBar) {
    loadPanel();
    panelUi_->panelLayout->setMenuBar(menuBar);
    // Counted in the panel's size now, not only once the panel is shown.
    if (menuBar)
        menuBar->show();
    panelUi_->panelLayout->invalidate();
    panelUi_->panelLayout->activate();
}

QWidget* ZPInspector::noneInspectionView() {
    loadPanel();
    return panelUi_->noneInspectionView;
}

QWidget* ZPInspector::controlInspectionView() const {
    return controlView_;
}

QWidget* ZPInspector::dialogInspectionView() const {
    return dialogView_;
}

QWidget* ZPInspector::currentInspectionView() {
    loadPanel();
    return currentView_;
}

void ZPInspector::showWindow() {
    loadPanel();
    panel_->show();
    panel_->raise();
}

void ZPInspector::loadPanel() {
    if (panel_)
        return;
    panel_ = std::make_unique<QWidget>();
    panelUi_ = std::make_unique<Ui::InspectorPanel>();
    panelUi_->setupUi(panel_.get());
    // A utility window: kept above the application's document windows, and shown
    // without taking the keyboard focus from the one being edited.
    panel_->setWindowFlags(Qt::Tool);
    panel_->setAttribute(Qt::WA_ShowWithoutActivating);
    // The panel is exactly its menu bar (if any) over the view it shows.
    panelUi_->panelLayout->setSizeConstraint(QLayout::SetFixedSize);
    panelUi_->panelLayout->activate();
    currentView_ = panelUi_->noneInspectionView;
}

// A field commits on Return, or when it loses the focus after the user changed it.
void ZPInspector::connectField(QLineEdit* field, Action action) {
    const auto commit = [this, field, action] {
        field->setModified(false);
        (this->*action)(field);
    };
    fields_.emplace_back(field, action);
    connect(field, &QLineEdit::returnPressed, this, commit);
    connect(field, &QLineEdit::editingFinished, this, [field, commit] {
        if (field->isModified())
            commit();
    });
}

void ZPInspector::showInspectionView(QWidget* view, const QString& title) {
    if (currentView_ == view)
        return;
    QWidget* previous = currentView_;
    const QSize previousSize = previous->size();
    QVBoxLayout* layout = panelUi_->panelLayout;
    layout->removeWidget(previous);
    previous->hide();
    layout->addWidget(view);
    view->show();
    // The fixed-size layout resizes the panel now; a top-level window keeps its
    // top-left corner when resized.
    layout->activate();
    previous->resize(previousSize);
    currentView_ = view;
    panel_->setWindowTitle(title);
}

ZPZervControl* ZPInspector::inspectedControl() const {
    return dynamic_cast<ZPZervControl*>(inspectedObject_.get());
}

ZPZervDialogDocument* ZPInspector::inspectedDocument() const {
    return dynamic_cast<ZPZervDialogDocument*>(inspectedObject_.get());
}

void ZPInspector::commitEditing() {
    if (!currentView_)
        return;
    for (const auto& [field, action] : fields_) {
        if (field->isModified() && currentView_->isAncestorOf(field)) {
            field->setModified(false);
            (this->*action)(field);
        }
    }
}

void ZPInspector::setInspectedObject(ZPObjectRef object) {
    if (object == inspectedObject_)
        return;
    // What was typed for the object shown so far goes to that object, not to the bin.
    commitEditing();
    inspectedObject_ = std::move(object);
    loadPanel();
    if (const ZPZervControl* control = inspectedControl()) {
        fillControlView(*control);
        showInspectionView(controlView_, tr("Control Inspector"));
    } else if (const ZPZervDialogDocument* document = inspectedDocument()) {
        fillDialogView(*document);
        showInspectionView(dialogView_, tr("Dialog Inspector"));
    } else {
        inspectedObject_.reset();
        showInspectionView(panelUi_->noneInspectionView, tr("Inspector: No Selection"));
    }
}

void ZPInspector::refreshFrameFields() {
    if (const ZPZervControl* control = inspectedControl())
        fillControlFrameFields(*control);
    else if (const ZPZervDialogDocument* document = inspectedDocument())
        fillDialogFrameFields(*document);
}

int ZPInspector::popupTag(const QComboBox* popup) {
    const int index = popup->currentIndex();
    if (index < 0)
        return -1;
    const QVariant data = popup->itemData(index);
    return data.isValid() ? data.toInt() : index;
}

void ZPInspector::setFrameCaptions(int mode, QLabel* third, QLabel* fourth) {
    if (mode == 0) {
        third->setText(tr("Width"));
        fourth->setText(tr("height"));
    } else if (mode == 1) {
        third->setText(tr("Right"));
        fourth->setText(tr("Bottom"));
    }
}

bool ZPInspector::readFrame(QLineEdit* x, QLineEdit* y, QLineEdit* third, QLineEdit* fourth,
                            int mode, ZPRect& frame, QString& message) {
    float values[4];
    QLineEdit* fields[4] = {x, y, third, fourth};
    for (int i = 0; i < 4; ++i) {
        const std::optional<float> value = ZPParseFloat(fields[i]->text().toStdString());
        if (!value) {
            message = tr("“%1” is not a number.").arg(fields[i]->text().trimmed());
            return false;
        }
        values[i] = *value;
    }
    frame = mode == 0 ? ZPRect{values[0], values[1], values[2], values[3]}
                      : ZPRect{values[0], values[1], values[2] - values[0], values[3] - values[1]};
    if (!ZPRectFitsBounds(frame)) {
        message = tr("Every edge of the frame must lie within -32768 to 32767.");
        return false;
    }
    return true;
}

void ZPInspector::refuse(QLabel* messageLine, QLineEdit* field, const QString& stored,
                         const QString& why) {
    if (field)
        field->setText(stored);
    messageLine->setText(why);
}
